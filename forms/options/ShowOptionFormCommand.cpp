#include "forms/options/ShowOptionFormCommand.h"

#include <memory>

#include "app/SessionMemory.h"
#include "forms/common/Application.h"
#include "forms/options/OptionsForm.h"

namespace {

OptionsForm::Tab StoredTab() {
  int number = 0;
  SessionMemoryReader reader(OptionsForm::kSessionMemoryId);
  if (reader.version != SessionMemoryReader::kNoRecord) reader >> number;
  switch (number) {
    case 1: return OptionsForm::Tab::kAssistance;
    case 2: return OptionsForm::Tab::kStatistics;
    case 3: return OptionsForm::Tab::kPreferences;
    default: return OptionsForm::Tab::kGame;
  }
}

}  // namespace

void ShowOptionFormCommand::Execute() {
  Application* state = Application::Instance();
  if (state == nullptr) return;
  state->ShowFormLater(*this);
}

void ShowOptionFormCommand::ExecuteDeferred() {
  Application* state = Application::Instance();
  if (state == nullptr) return;
  state->currentForm.reset();
  auto form = std::make_shared<OptionsForm::Manager>(state->FrameDisplay());
  form->OpenOn(StoredTab());
  state->currentForm = form;
  if (const std::shared_ptr<GameBase> game = state->game) game->Deactivate();
}
