#include "forms/dialogs/LoadCurrentUserSettings.h"

#include <memory>
#include <utility>

#include "app/UserSettings.h"
#include "app/Users.h"
#include "forms/common/Application.h"

void LoadCurrentUserSpecificSettings_Command::Execute() {
  Application* state = Application::Instance();
  if (state == nullptr) return;
  data_objects::users users;
  LoadUsers(users);
  UserSettings settings(L"");
  state->player.reset();
  for (const std::shared_ptr<data_objects::users::item_type>& player : users.players) {
    if (player->id != users.currentId) continue;
    settings.name = player->name;
    LoadUserSettings(settings, player->id);
    state->player = Application::HeldPlayer{player->id, player->name, {}};
    break;
  }
  // The options name the language the texts are loaded in (start-up sets
  // it again once it knows); a player's stored language does not change it.
  settings.options.language = state->options.language;
  state->options = std::move(settings.options);
  state->statistics = std::move(settings.statistics);
}
