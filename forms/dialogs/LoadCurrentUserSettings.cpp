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
  for (const std::shared_ptr<data_objects::users::item_type>& player : users.players) {
    if (player->id != users.currentId) continue;
    settings.name = player->name;
    LoadUserSettings(settings, player->id);
    break;
  }
  state->options = std::move(settings.options);
  state->statistics = std::move(settings.statistics);
}
