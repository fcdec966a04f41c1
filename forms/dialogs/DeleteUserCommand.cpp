#include "forms/dialogs/DeleteUserCommand.h"

#include <algorithm>
#include <memory>
#include <optional>

#include "app/Users.h"
#include "forms/common/Application.h"
#include "forms/dialogs/LoadCurrentUserSettings.h"
#include "forms/dialogs/OkCancelDialog.h"

namespace {

// Takes the first player of exactly that name out of the list, keeping the
// others' order, and answers the removed player's id.  The last player is
// never removed.  When the current player goes, the first remaining one
// becomes current.
std::optional<int> RemoveUser(data_objects::users& users, const std::wstring& name) {
  if (users.players.size() == 1) return std::nullopt;
  const auto found = std::find_if(users.players.begin(), users.players.end(),
                                  [&name](const auto& player) { return player->name == name; });
  if (found == users.players.end()) return std::nullopt;
  const int id = (*found)->id;
  users.players.erase(found);
  if (id == users.currentId) SelectUserByName(users, users.players.front()->name);
  return id;
}

}  // namespace

void DeleteUserCommand::Execute() {
  if (!AskOkCancel()) return;
  executed = true;

  data_objects::users users;
  LoadUsers(users);
  const int currentId = users.currentId;
  const std::optional<int> removed = RemoveUser(users, name);
  // The files go only once the list without the player is stored: a list
  // that still names the player must keep the player's files.
  if (!removed || !SaveUsers(users)) {
    failed = true;
    return;
  }
  DeleteUserFiles(*removed);
  // The settings held are dropped only when they are the removed player's;
  // saved later, they would bring the deleted files back.  Another copy of
  // the program may have made someone else current in the file meanwhile,
  // whose held settings must then stay.
  const Application* state = Application::Instance();
  const bool heldRemoved = state != nullptr && state->player ? state->player->id == *removed : *removed == currentId;
  if (heldRemoved) LoadCurrentUserSpecificSettings_Command().Execute();
}
