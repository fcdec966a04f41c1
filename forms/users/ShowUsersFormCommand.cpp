#include "forms/users/ShowUsersFormCommand.h"

#include <memory>
#include <utility>

#include "forms/common/Application.h"
#include "forms/tabbar/DeselectApplicationTabBarCommand.h"
#include "forms/users/UsersForm.h"

namespace {

std::function<void()>& InstalledShowMenuForm() {
  static std::function<void()> show;
  return show;
}

}  // namespace

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

namespace users_form {

void InstallShowMenuForm(std::function<void()> show) { InstalledShowMenuForm() = std::move(show); }

void ShowMenuForm() {
  // A copy: the menu's show command may install again while it runs.
  const std::function<void()> show = InstalledShowMenuForm();
  if (show) show();
}

}  // namespace users_form
