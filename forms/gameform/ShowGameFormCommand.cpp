#include "forms/gameform/ShowGameFormCommand.h"

#include <memory>

#include "forms/common/Application.h"
#include "forms/gameform/GameForm.h"
#include "forms/gameform/ShowPuzzleInfo.h"
#include "forms/tabbar/ApplicationTabBar.h"
#include "forms/tabbar/DeselectApplicationTabBarCommand.h"

void ShowGameFormCommand::Execute() {
  Application* state = Application::Instance();
  if (state == nullptr) return;
  DeselectApplicationTabBarCommand().Execute();
  state->ShowFormLater(*this);
}

void ShowGameFormCommand::BuildForm() {
  Application* state = Application::Instance();
  if (state == nullptr) return;
  state->currentForm = std::make_shared<GameForm::Manager>(state->FrameDisplay());
  if (const std::shared_ptr<GameBase> game = state->game) game->Activate(false);
  if (application_tab_bar::ApplicationTabBar* bar = application_tab_bar::HeldApplicationTabBar())
    application_tab_bar::SelectGameTab(*bar);
  if (showPuzzleInfo) ShowPuzzleInfo().Execute();
}
