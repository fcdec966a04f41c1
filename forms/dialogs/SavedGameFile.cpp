#include "forms/dialogs/SavedGameFile.h"

#include "app/Paths.h"
#include "forms/common/Application.h"
#include "game/GameBase.h"

std::wstring SavedGameFileName() { return JoinPath(SettingsDirectory(), L"current_game.xml"); }

void SaveApplicationGame() {
  Application* state = Application::Instance();
  if (state == nullptr || !state->game || state->HoldsStandInGame()) return;
  state->game->SaveToXML(NativePath(SavedGameFileName()));
}
