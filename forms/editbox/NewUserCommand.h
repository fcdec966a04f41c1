// Adds a player: the users form runs it and, when executed and not failed,
// adds the name to its list.
#pragma once

#include <string>

#include "game/ApplicationCommand.h"

class NewUserCommand : public ApplicationCommand {
 public:
  explicit NewUserCommand(std::wstring name = {}) : name(std::move(name)) {}

  // Asks for the name (prompt string 401, the entry prefilled with name) and
  // keeps the answer in name, whichever button ended the dialog.  An answer
  // that is not accepted, or empty, adds nothing.  Otherwise the player is
  // added to the list read afresh from the file and the list saved; a name
  // that is taken already, or a list that cannot be saved, is a refusal
  // (failed), shown by no message.
  void Execute() override;

  // The player accepted a name and the add was attempted.
  bool executed = false;
  bool failed = false;
  std::wstring name;
};
