// Renames a player: the users form runs it for the selected player and, when
// executed and not failed, shows the new name in its list.  The player keeps
// its id, and so its files.
#pragma once

#include <string>

#include "game/ApplicationCommand.h"

class EditUserCommand : public ApplicationCommand {
 public:
  explicit EditUserCommand(std::wstring oldName) : oldName(std::move(oldName)) {}

  // Asks for the new name (prompt string 400, the old name in the entry).
  // An unchanged or empty answer, or none, does nothing.  Otherwise the
  // rename is attempted on the list read afresh from the file: it is refused
  // (failed, nothing written) when the old name is no longer there, when
  // another player has the new name already (two players of one name could
  // not be told apart when selected by name), or when the list cannot be
  // saved.  Refusals show no message; the flags tell the users form.
  void Execute() override;

  // The player answered with a new name and the rename was attempted.
  bool executed = false;
  bool failed = false;
  std::wstring oldName;
  // The answer; after a rename, the name stored.
  std::wstring newName;
};
