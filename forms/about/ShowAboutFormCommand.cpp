#include "forms/about/ShowAboutFormCommand.h"

#include <memory>

#include "forms/about/AboutForm.h"
#include "forms/about/HelpForm.h"
#include "forms/about/ShowHelpFormCommand.h"
#include "forms/common/Application.h"
#include "forms/tabbar/DeselectApplicationTabBarCommand.h"

namespace {

template <class Command>
void ShowLater(const Command& command) {
  Application* state = Application::Instance();
  if (state == nullptr) return;
  DeselectApplicationTabBarCommand().Execute();
  state->ShowFormLater(command);
}

template <class Form>
void MakeCurrent() {
  Application* state = Application::Instance();
  if (state == nullptr) return;
  state->currentForm = std::make_shared<Form>(state->FrameDisplay());
}

}  // namespace

void ShowAboutFormCommand::Execute() { ShowLater(*this); }
void ShowAboutFormCommand::BuildForm() { MakeCurrent<aboutform::Manager>(); }

void ShowHelpFormCommand::Execute() { ShowLater(*this); }
void ShowHelpFormCommand::BuildForm() { MakeCurrent<HelpForm::Manager>(); }
