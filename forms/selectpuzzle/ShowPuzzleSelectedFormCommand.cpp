#include "forms/selectpuzzle/ShowPuzzleSelectedFormCommand.h"

#include <memory>

#include "forms/common/Application.h"
#include "forms/selectpuzzle/SelectPuzzleForm.h"
#include "forms/tabbar/DeselectApplicationTabBarCommand.h"

void ShowPuzzleSelectedFormCommand::Execute() {
  Application* state = Application::Instance();
  if (state == nullptr) return;
  DeselectApplicationTabBarCommand().Execute();
  state->ShowFormLater(*this);
}

void ShowPuzzleSelectedFormCommand::BuildForm() {
  Application* state = Application::Instance();
  if (state == nullptr) return;
  state->currentForm.reset();
  state->currentForm = std::make_shared<SelectPuzzleForm::Manager>(state->FrameDisplay());
}
