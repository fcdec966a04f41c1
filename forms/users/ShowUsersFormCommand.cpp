#include "forms/users/ShowUsersFormCommand.h"

#include <memory>

#include "forms/common/Application.h"
#include "forms/tabbar/DeselectApplicationTabBarCommand.h"
#include "forms/users/UsersForm.h"

void ShowUsersFormCommand::Execute() {
  Application* state = Application::Instance();
  if (state == nullptr) return;
  DeselectApplicationTabBarCommand().Execute();
  state->ShowFormLater(*this);
}

void ShowUsersFormCommand::BuildForm() {
  Application* state = Application::Instance();
  if (state == nullptr) return;
  state->currentForm = std::make_shared<UsersForm::Manager>(state->FrameDisplay());
}
