#include "forms/optionpages/PreferencesPage.h"

#include "app/ResourceManager.h"
#include "forms/commands/OptionSetters.h"
#include "forms/dialogs/HeldPlayerSettings.h"
#include "forms/language/LanguageChangeCommand.h"
#include "forms/options/ShowOptionFormCommand.h"

namespace OptionsPrefereces {

PreferenceValues CurrentPreferenceValues() {
  PreferenceValues values;
  const Application* state = Application::Instance();
  if (state == nullptr) return values;
  values.sound = state->options.sound;
  values.gridSymbols = state->options.gridSymbols;
  values.enteringNumbers = state->options.enteringNumbers;
  return values;
}

std::vector<std::wstring> Create::EnteringNumbersEntries() {
  std::vector<std::wstring> entries;
  for (int i = 0; i < kArrangements; ++i) entries.push_back(ResourceManager::GetString(kFirstArrangementString + i));
  return entries;
}

void HideWindow(option_pages::CheckBoxB& box) { forms::window_ops::hide(box.display().handle()); }

void Model::OnEnteringNumbersSelected(unsigned int index) {
  if (index >= static_cast<unsigned int>(kArrangements)) return;
  SetEnteringNumbers(static_cast<int>(index)).Execute();
}

void OnSymbolsChosen(int item) {
  if (item == kDigits) SetGridSymbols(0).Execute();
  if (item == kLetters) SetGridSymbols(1).Execute();
}

// The options form, and this page with it, is rebuilt in the new language
// on the next deferred-form message; until then the page keeps living, so
// nothing here may touch it after the command.
void OnButtonClicked(int item, bool soundBeforeClick) {
  if (item == kSound) {
    SetSound_Command(!soundBeforeClick).Execute();
  } else if (item == kChangeLanguage) {
    LanguageChangeCommand change(true);
    change.Execute();
    if (!change.changed) return;
    SaveHeldPlayerSettings();
    ShowOptionFormCommand().Execute();
  }
}

}  // namespace OptionsPrefereces

namespace OptionsGridInput {

int CurrentGridPaintType() {
  const Application* state = Application::Instance();
  return state == nullptr ? 0 : state->options.gridPaintType;
}

void OnGridPaintTypeChosen(int item) {
  if (item == kPlain) SetGridPaintType(0).Execute();
  if (item == kShaded) SetGridPaintType(1).Execute();
}

}  // namespace OptionsGridInput
