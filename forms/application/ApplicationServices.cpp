#include "forms/application/ApplicationServices.h"

#include <cstdint>
#include <memory>

#include "app/ResourceManager.h"
#include "forms/common/Application.h"
#include "forms/dialogs/DialogServices.h"
#include "forms/help/HelpDialog.h"
#include "forms/tabbar/ApplicationTabBar.h"
#include "game/GameBase.h"
#include "game/commands/Services.h"
#include "notus/ownerdraw/main_window.h"

namespace {

// Without an application object: no game, the option off, nothing shown, no
// new game.
std::shared_ptr<GameBase> ApplicationCurrentGame() {
  Application* state = Application::Instance();
  return state != nullptr ? state->game : nullptr;
}

bool ApplicationAutoPencilMarks() {
  Application* state = Application::Instance();
  return state != nullptr && state->options.autoPencilMarks;
}

void ShowApplicationHintDisplay(std::uint32_t textId, std::uint32_t helpId) {
  Application* state = Application::Instance();
  if (state == nullptr) return;
  state->ShowHintDisplay(ResourceManager::GetString(static_cast<int>(textId)), helpId);
}

// SeGameSize, then the new game; a size SeGameSize refuses throws its text.
std::shared_ptr<GameBase> StartApplicationGame(std::uint32_t boxSize, std::uint32_t level) {
  Application* state = Application::Instance();
  if (state == nullptr) return nullptr;
  state->SeGameSize(static_cast<int>(boxSize), level);
  return state->game;
}

}  // namespace

void InstallApplicationServices() {
  gamecommands::Services::InstallCurrentGame(ApplicationCurrentGame);
  gamecommands::Services::InstallAutoPencilMarks(ApplicationAutoPencilMarks);
  gamecommands::Services::InstallHintDisplay(ShowApplicationHintDisplay);
  gamecommands::Services::InstallNewGame(StartApplicationGame);
  notus::mainwindow::set_deferred_form_builder([] {
    if (Application* state = Application::Instance()) state->RunPendingFormCommand();
  });
  InstallApplicationTabBar();
  InstallHelpDialog();
  // The solved report and the OK dialog.
  InstallDialogServices();
}
