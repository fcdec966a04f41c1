#include "forms/application/UserSettingsCommands.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "app/UserSettings.h"
#include "app/Users.h"
#include "forms/common/Application.h"

namespace {

using Player = std::shared_ptr<data_objects::users::item_type>;

const data_objects::users::item_type* FindPlayer(const data_objects::users& users, auto matches) {
  const auto found =
      std::find_if(users.players.begin(), users.players.end(), [&](const Player& player) { return matches(*player); });
  return found == users.players.end() ? nullptr : found->get();
}

}  // namespace

void SaveGameOptionsToCurrentUserCommand::Execute() {
  Application* state = Application::Instance();
  if (state == nullptr) return;
  data_objects::users users;
  LoadUsers(users);
  // LoadUsers makes the current id name a player whenever there is one.
  const auto* current = FindPlayer(users, [&](const auto& player) { return player.id == users.currentId; });
  if (current == nullptr) return;
  UserSettings settings(current->name);
  // Read first for the data file, which is carried along unread.
  LoadUserSettings(settings, current->id);
  settings.options = state->options;
  settings.statistics = state->statistics;
  SaveUserSettings(settings, current->id);
}

// The list is read again after the save: it is the file's, not a copy's.
// An unknown name is checked for here rather than left to SelectUserByName,
// whose thrown text would end the program from the users form.
void ChangeUserCommand::Execute() {
  Application* state = Application::Instance();
  if (state == nullptr) return;
  SaveGameOptionsToCurrentUserCommand().Execute();
  data_objects::users users;
  LoadUsers(users);
  if (FindPlayer(users, [&](const auto& player) { return player.name == name; }) == nullptr) return;
  SelectUserByName(users, name);
  SaveUsers(users);
  UserSettings settings(name);
  LoadUserSettings(settings, users.currentId);
  // The texts stay in the language they were loaded in, so the options go
  // on naming that one; the new player keeps it, as they would have after
  // a restart with it.
  settings.options.language = state->options.language;
  state->options = std::move(settings.options);
  state->statistics = std::move(settings.statistics);
}
