#include "forms/optionpages/OptionPages.h"

#include <utility>

#include "forms/optionpages/AssistancePage.h"
#include "forms/optionpages/GamePage.h"
#include "forms/optionpages/PreferencesPage.h"

namespace option_pages {

namespace {

std::function<void()>& InstalledReopen() {
  static std::function<void()> reopen;
  return reopen;
}

}  // namespace

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

void InstallReopenOptionsForm(std::function<void()> reopen) { InstalledReopen() = std::move(reopen); }

void ReopenOptionsForm() {
  // A copy: the reopening may install again while it runs.
  const std::function<void()> reopen = InstalledReopen();
  if (reopen) reopen();
}

}  // namespace option_pages
