#include "forms/buildpuzzle/ShowBuildPuzzleFormCommand.h"

#include <memory>

#include "forms/buildpuzzle/BuildPuzzleForm.h"
#include "forms/common/Application.h"
#include "forms/tabbar/DeselectApplicationTabBarCommand.h"

void ShowBuildPuzzleFormCommand::Execute() {
  Application* state = Application::Instance();
  if (state == nullptr) return;
  DeselectApplicationTabBarCommand().Execute();
  state->ShowFormLater(*this);
}

void ShowBuildPuzzleFormCommand::BuildForm() {
  Application* state = Application::Instance();
  if (state == nullptr) return;
  state->currentForm = std::make_shared<build_puzzle_form::Manager>(state->FrameDisplay());
}
