#include "forms/optionpages/OptionPages.h"

#include "forms/optionpages/AssistancePage.h"
#include "forms/optionpages/GamePage.h"
#include "forms/optionpages/PreferencesPage.h"

namespace option_pages {

std::shared_ptr<FormBase> MakeGamePage(const Parent& parent) { return std::make_shared<OptionsGame::Manager>(parent); }

std::shared_ptr<FormBase> MakeAssistancePage(const Parent& parent) {
  return std::make_shared<OptionsAssistance::Manager>(parent);
}

std::shared_ptr<FormBase> MakePreferencesPage(const Parent& parent) {
  return std::make_shared<OptionsPrefereces::Manager>(parent);
}

std::shared_ptr<FormBase> MakeGridPaintPart(const Parent& parent) {
  return std::make_shared<OptionsGridInput::Manager>(parent);
}

}  // namespace option_pages
