#include "forms/editbox/EditUserCommand.h"

#include <algorithm>

#include "app/ResourceManager.h"
#include "app/Users.h"
#include "forms/editbox/editbox_dialog.h"

namespace {

constexpr int kPromptString = 400;

// Renames the first player named from; false, with the list unchanged, when
// there is none or when another player is named to.
bool RenameUser(data_objects::users& users, const std::wstring& from, const std::wstring& to) {
  auto& players = users.players;
  const auto renamed = std::find_if(players.begin(), players.end(), [&](const auto& p) { return p->name == from; });
  if (renamed == players.end()) return false;
  const bool taken =
      std::any_of(players.begin(), players.end(), [&](const auto& p) { return p != *renamed && p->name == to; });
  if (taken) return false;
  (*renamed)->name = to;
  return true;
}

}  // namespace

void EditUserCommand::Execute() {
  executed = false;
  failed = false;
  const EditboxAnswer answer = AskForText(oldName, ResourceManager::GetString(kPromptString));
  if (!answer.accepted) return;
  newName = answer.text;
  if (newName == oldName || newName.empty()) return;
  executed = true;
  data_objects::users users;
  LoadUsers(users);
  failed = !RenameUser(users, oldName, newName) || !SaveUsers(users);
}
