// The undo and redo of the game form's buttons and of Ctrl+Z and
// Ctrl+Shift+Z: one step back or forward in the program's undo history on
// the current game.
//
// The steps themselves are the game layer's (game/commands/UndoRedo.h),
// which looks at the history before it acts: with nothing to undo or redo
// the commands only refresh the game's highlights and keypads, hide the
// keypad popups and clear the hint shown in the grid.
#pragma once

#include "game/ApplicationCommand.h"

// Without an application object or a game nothing happens.
class UndoCommand : public ApplicationCommand {
 public:
  void Execute() override;
};

class RedoCommand : public ApplicationCommand {
 public:
  void Execute() override;
};
