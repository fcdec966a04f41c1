#pragma once
// The base of every command that is not recorded for undo: built where it is
// needed, run once with Execute and dropped. The game's own commands of this
// kind (a hint, the check of the grid, loading a puzzle) live in
// game/commands; the application and its forms derive the rest.
//
// ExecuteDeferred is for the commands that post a message and finish their
// work when it arrives (showing a form); the others leave it empty.

class ApplicationCommand {
 public:
  ApplicationCommand() = default;
  ApplicationCommand(const ApplicationCommand&) = default;
  ApplicationCommand& operator=(const ApplicationCommand&) = default;
  virtual ~ApplicationCommand() = default;

  virtual void Execute() = 0;
  virtual void ExecuteDeferred() {}
};
