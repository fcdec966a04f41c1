#include "forms/application/UserSettingsCommands.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "app/UserSettings.h"
#include "app/Users.h"
#include "forms/common/Application.h"
#include "forms/dialogs/HeldPlayerSettings.h"
#include "forms/language/LanguageChangeCommand.h"

namespace {

using Player = std::shared_ptr<data_objects::users::item_type>;

const data_objects::users::item_type* FindPlayer(const data_objects::users& users, auto matches) {
  const auto found =
      std::find_if(users.players.begin(), users.players.end(), [&](const Player& player) { return matches(*player); });
  return found == users.players.end() ? nullptr : found->get();
}

}  // namespace

void SaveGameOptionsToCurrentUserCommand::Execute() { SaveHeldPlayerSettings(); }

// The list is read again after the save: it is the file's, not a copy's.
// An unknown name is checked for here rather than left to SelectUserByName,
// whose thrown text would end the program from the users form.
void ChangeUserCommand::Execute() {
  Application* state = Application::Instance();
  if (state == nullptr) return;
  SaveGameOptionsToCurrentUserCommand().Execute();
  data_objects::users users;
  LoadUsers(users);
  const auto* chosen = FindPlayer(users, [&](const auto& player) { return player.name == name; });
  if (chosen == nullptr) return;
  Application::HeldPlayer player{chosen->id, chosen->name, {}};
  SelectUserByName(users, name);
  SaveUsers(users);
  UserSettings settings(name);
  LoadUserSettings(settings, player.id);
  // The screen, the options and the file agree on the player's language.
  // When it cannot be loaded the texts stay as they are, and the options
  // name the language on screen; the player's stored choice is kept for
  // the save rather than overwritten with it.
  if (settings.options.language != state->options.language && !LoadLanguageBehindWaitForm(settings.options.language)) {
    player.unloadedLanguage = settings.options.language;
    settings.options.language = state->options.language;
  }
  state->options = std::move(settings.options);
  state->statistics = std::move(settings.statistics);
  state->player = std::move(player);
}
