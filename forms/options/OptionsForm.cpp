#include "forms/options/OptionsForm.h"

#include "app/SessionMemory.h"
#include "forms/common/Application.h"
#include "forms/help/HelpDialog.h"
#include "forms/optionpages/OptionPages.h"

namespace {

// The parent display of every form's views; the pages are built over it.
option_pages::Parent PageParent() {
  Application* state = Application::Instance();
  return state != nullptr ? state->FrameDisplay() : option_pages::Parent();
}

bool IsSelected(const std::shared_ptr<OptionsForm::TabView>& tab) { return tab && tab->model().selected; }

}  // namespace

OptionsFormModel::~OptionsFormModel() {
  {
    SessionMemoryWriter writer(OptionsForm::kSessionMemoryId);
    writer << static_cast<int>(SelectedTab()) << '\n';
  }
  gridPaintPart.reset();
  preferencesPage.reset();
  statisticsPage.reset();
  assistancePage.reset();
  gamePage.reset();
  helpButton.reset();
  preferencesTab.reset();
  statisticsTab.reset();
  assistanceTab.reset();
  gameTab.reset();
  frame.reset();
}

OptionsForm::Tab OptionsFormModel::SelectedTab() const {
  using OptionsForm::Tab;
  if (IsSelected(assistanceTab)) return Tab::kAssistance;
  if (IsSelected(statisticsTab)) return Tab::kStatistics;
  if (IsSelected(preferencesTab)) return Tab::kPreferences;
  return Tab::kGame;
}

std::uint32_t OptionsFormModel::HelpTextId() const {
  using namespace OptionsForm;
  if (IsSelected(gameTab)) return kGameHelp;
  if (IsSelected(assistanceTab)) return kAssistanceHelp;
  if (IsSelected(statisticsTab)) return kStatisticsHelp;
  if (IsSelected(preferencesTab)) return kPreferencesHelp;
  return 0;
}

void OptionsFormModel::OpenOn(OptionsForm::Tab tab) {
  using OptionsForm::Tab;
  std::shared_ptr<OptionsForm::TabView> chosen;
  switch (tab) {
    case Tab::kAssistance:
      chosen = assistanceTab;
      ShowOptions_AssistanceFormCommand(this).Execute();
      break;
    case Tab::kStatistics:
      chosen = statisticsTab;
      ShowOptions_StatisticsFormCommand(this).Execute();
      break;
    case Tab::kPreferences:
      chosen = preferencesTab;
      ShowOptions_PreferencesFormCommand(this).Execute();
      break;
    default:
      chosen = gameTab;
      ShowOption_GameFormCommand(this).Execute();
      break;
  }
  chosen->model().selected = true;
  forms::window_ops::set_z_order(chosen->display().handle(), OptionsForm::kOpeningTabZ);
  forms::window_ops::invalidate(chosen->display().handle());
}

// Each command also releases its own page before it builds it anew (Return
// on the selected tab rebuilds its page): a replaced page would otherwise
// outlive its successor's build, both on the screen at once, and an old
// Statistics page would store its choices only after the new one had read
// them.
void ShowOption_GameFormCommand::Execute() {
  form->assistancePage.reset();
  form->preferencesPage.reset();
  form->gridPaintPart.reset();
  form->statisticsPage.reset();
  form->gamePage.reset();
  form->gamePage = option_pages::MakeGamePage(PageParent());
}

void ShowOptions_AssistanceFormCommand::Execute() {
  form->gamePage.reset();
  form->preferencesPage.reset();
  form->gridPaintPart.reset();
  form->statisticsPage.reset();
  form->assistancePage.reset();
  form->assistancePage = option_pages::MakeAssistancePage(PageParent());
}

void ShowOptions_StatisticsFormCommand::Execute() {
  form->assistancePage.reset();
  form->preferencesPage.reset();
  form->gridPaintPart.reset();
  form->gamePage.reset();
  form->statisticsPage.reset();
  form->statisticsPage = std::make_shared<OptionsForm::StatisticsPage>(PageParent());
}

void ShowOptions_PreferencesFormCommand::Execute() {
  form->gamePage.reset();
  form->assistancePage.reset();
  form->statisticsPage.reset();
  form->gridPaintPart.reset();
  form->preferencesPage.reset();
  form->preferencesPage = option_pages::MakePreferencesPage(PageParent());
  form->gridPaintPart = option_pages::MakeGridPaintPart(PageParent());
}

namespace OptionsForm {

void SelectionChanged::Run(const notus::impl::ev_selection& e, OptionsFormModel& form) {
  for (const auto& tab : {form.gameTab, form.assistanceTab, form.statisticsTab, form.preferencesTab}) {
    if (!IsSelected(tab)) continue;
    tab->model().selected = false;
    forms::window_ops::invalidate(tab->display().handle());
    forms::window_ops::set_z_order(tab->display().handle(), notus::ownerdraw::tab_z_unselected);
  }
  switch (static_cast<int>(e.id)) {
    case kGameTabItem: ShowOption_GameFormCommand(&form).Execute(); break;
    case kAssistanceTabItem: ShowOptions_AssistanceFormCommand(&form).Execute(); break;
    case kStatisticsTabItem: ShowOptions_StatisticsFormCommand(&form).Execute(); break;
    case kPreferencesTabItem: ShowOptions_PreferencesFormCommand(&form).Execute(); break;
    default: break;
  }
}

void ClickHelpStrategy::ShowHelp(const OptionsFormModel& form) {
  const std::uint32_t helpText = form.HelpTextId();
  if (helpText == 0) return;
  RunHelpDialog(helpText, kHelpCaption);
}

}  // namespace OptionsForm
