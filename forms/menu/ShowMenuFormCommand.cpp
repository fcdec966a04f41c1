#include "forms/menu/ShowMenuFormCommand.h"

#include <memory>

#include "forms/common/Application.h"
#include "forms/menu/MainForm.h"

void ShowMenuFormCommand::Execute() {
  if (Application* state = Application::Instance()) state->ShowFormLater(*this);
}

void ShowMenuFormCommand::BuildForm() {
  Application* state = Application::Instance();
  if (state == nullptr) return;
  state->currentForm = std::make_shared<mainform::Manager>(state->FrameDisplay());
  if (const std::shared_ptr<GameBase> game = state->game) game->Deactivate();
}
