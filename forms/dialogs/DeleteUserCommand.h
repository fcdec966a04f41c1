// Deletes a player after asking through the OK/Cancel dialog.  The users
// form runs it and reads the two flags afterwards to know what to show.
//
// The player list is read afresh from "users.txt" rather than taken from the
// users form, so the deletion works on what is stored.  The last player is
// never deleted, and a name the list no longer holds deletes nothing; both
// are refusals, told only through the flags.  When the current player goes,
// the first remaining player becomes current, and that player's options and
// statistics replace the deleted player's in the application object (unsaved:
// saving them would have written the deleted player's over the new one's).
#pragma once

#include <string>
#include <utility>

#include "game/ApplicationCommand.h"

class DeleteUserCommand : public ApplicationCommand {
 public:
  explicit DeleteUserCommand(std::wstring name) : name(std::move(name)) {}

  void Execute() override;

  // The player accepted and the deletion was tried.
  bool executed = false;
  // It was tried and refused: the last player, a name not in the list, or a
  // list that could not be saved.  Nothing was written or deleted then.
  bool failed = false;
  std::wstring name;
};
