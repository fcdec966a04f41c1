#include "forms/dialogs/HeldPlayerSettings.h"

#include "app/UserSettings.h"
#include "forms/common/Application.h"

bool SaveHeldPlayerSettings() {
  const Application* state = Application::Instance();
  if (state == nullptr || !state->player) return false;
  const Application::HeldPlayer& player = *state->player;
  UserSettings settings(player.name);
  // Read first for the data file, which is carried along unread.
  LoadUserSettings(settings, player.id);
  settings.options = state->options;
  if (!player.unloadedLanguage.empty()) settings.options.language = player.unloadedLanguage;
  settings.statistics = state->statistics;
  return SaveUserSettings(settings, player.id);
}
