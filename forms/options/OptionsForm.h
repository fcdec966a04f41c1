// The options form (layout form 3): a frame with four page tabs on its right
// (Game, Assistance, Statistics, Preferences), a help button, and inside the
// frame the page of the selected tab.  The Statistics page is this folder's
// (StatisticsPage.h); the other pages come from forms/optionpages.  Only the
// selected tab's page exists: choosing a tab releases the other pages (their
// views leave the screen) and builds its own.
//
// The form remembers the selected tab in SessionMemory (id 3) when it goes,
// and ShowOptionFormCommand.h, which builds it, opens it on that tab again.
//
// Paint orders: an unselected tab lies behind the frame (20 against the
// frame's 10), the selected one in front of it (0, or -30 when the form
// opens on it), so that its open side joins the page.
#pragma once

#include <cstdint>
#include <memory>
#include <tuple>

#include "forms/common/ApplyItemConfig.h"
#include "forms/common/FormBase.h"
#include "forms/options/StatisticsPage.h"
#include "game/ApplicationCommand.h"
#include "notus/managers/view_manager.h"
#include "notus/ownerdraw/frames.h"
#include "notus/ownerdraw/push_button.h"
#include "notus/ownerdraw/tab_button.h"
#include "notus/strategy.h"

namespace OptionsForm {

inline constexpr int kForm = 3;
inline constexpr int kGameTabItem = 1;
inline constexpr int kAssistanceTabItem = 2;
inline constexpr int kStatisticsTabItem = 3;
inline constexpr int kPreferencesTabItem = 5;
inline constexpr int kFrameItem = 6;
inline constexpr int kHelpItem = 7;

inline constexpr int kFrameZ = 10;
inline constexpr int kOpeningTabZ = -30;

inline constexpr int kSessionMemoryId = 3;
// The numbers a stored tab is known by.
enum class Tab : int { kGame = 0, kAssistance = 1, kStatistics = 2, kPreferences = 3 };

// Help texts of the pages, shown under the caption string kHelpCaption.
inline constexpr std::uint32_t kGameHelp = 390;
inline constexpr std::uint32_t kAssistanceHelp = 391;
inline constexpr std::uint32_t kStatisticsHelp = 392;
inline constexpr std::uint32_t kPreferencesHelp = 393;
inline constexpr std::uint32_t kHelpCaption = 389;

using FrameView = notus::ownerdraw::simple_frame_view;
using TabView = notus::ownerdraw::tab_button_view;
using HelpButtonView = notus::ownerdraw::menu_push_button_view;
using StatisticsPage = options_statistics_form::Manager;

}  // namespace OptionsForm

// The page slots hold at most one page at a time, or the Preferences page
// and its grid-paint part together.
struct OptionsFormModel : FormBase {
  // Stores the selected tab under id 3, then releases the members from the
  // last to the first, so a shown Statistics page stores its choices too.
  ~OptionsFormModel() override;

  // The selected tab, testing Assistance, Statistics and Preferences in that
  // order; Game when none of them is selected.
  OptionsForm::Tab SelectedTab() const;
  // The help text of the first selected tab in the order Game, Assistance,
  // Statistics, Preferences; 0 when no tab is selected.
  std::uint32_t HelpTextId() const;

  // Marks the tab selected, puts it in front of the frame and builds its
  // page; used once, on an empty form, as it opens.
  void OpenOn(OptionsForm::Tab tab);

  std::shared_ptr<OptionsForm::FrameView> frame;                // item 6
  std::shared_ptr<OptionsForm::TabView> gameTab;                // item 1
  std::shared_ptr<OptionsForm::TabView> assistanceTab;          // item 2
  std::shared_ptr<OptionsForm::TabView> statisticsTab;          // item 3
  std::shared_ptr<OptionsForm::TabView> preferencesTab;         // item 5
  std::shared_ptr<OptionsForm::HelpButtonView> helpButton;      // item 7
  std::shared_ptr<FormBase> gamePage;                           // form 4
  std::shared_ptr<FormBase> assistancePage;                     // form 5
  std::shared_ptr<OptionsForm::StatisticsPage> statisticsPage;  // form 8
  std::shared_ptr<FormBase> preferencesPage;                    // form 6
  std::shared_ptr<FormBase> gridPaintPart;                      // form 6, grid paint type
};

// The page commands run at once, when a tab is chosen.  Each releases the
// other pages in its own order, then builds its page over the form's parent
// display (the application's frame display) into its slot.
class ShowOption_GameFormCommand : public ApplicationCommand {
 public:
  explicit ShowOption_GameFormCommand(OptionsFormModel* form) : form(form) {}
  void Execute() override;
  OptionsFormModel* form;
};

class ShowOptions_AssistanceFormCommand : public ApplicationCommand {
 public:
  explicit ShowOptions_AssistanceFormCommand(OptionsFormModel* form) : form(form) {}
  void Execute() override;
  OptionsFormModel* form;
};

class ShowOptions_StatisticsFormCommand : public ApplicationCommand {
 public:
  explicit ShowOptions_StatisticsFormCommand(OptionsFormModel* form) : form(form) {}
  void Execute() override;
  OptionsFormModel* form;
};

// Builds the Preferences page, then its grid-paint part.
class ShowOptions_PreferencesFormCommand : public ApplicationCommand {
 public:
  explicit ShowOptions_PreferencesFormCommand(OptionsFormModel* form) : form(form) {}
  void Execute() override;
  OptionsFormModel* form;
};

namespace OptionsForm {

// Makes the frame, the four tabs and the help button, in that order, then
// places the frame (paint order 10), the tabs and the help button by their
// items.  No page is built here.  A missing item throws what
// ResourceManager::GetItemConfig throws, and the form is not made.
struct CreateStrategy {
  template <class Manager, class Parent>
  bool create(Manager& m, Parent&) {
    m.frame = m.template create_view<FrameView>();
    m.gameTab = m.template create_view<TabView>();
    m.assistanceTab = m.template create_view<TabView>();
    m.statisticsTab = m.template create_view<TabView>();
    m.preferencesTab = m.template create_view<TabView>();
    m.helpButton = m.template create_view<HelpButtonView>();
    forms::ApplyItemConfig(kForm, kFrameItem, *m.frame);
    forms::window_ops::set_z_order(m.frame->display().handle(), kFrameZ);
    forms::ApplyItemConfig(kForm, kGameTabItem, *m.gameTab);
    forms::ApplyItemConfig(kForm, kAssistanceTabItem, *m.assistanceTab);
    forms::ApplyItemConfig(kForm, kStatisticsTabItem, *m.statisticsTab);
    forms::ApplyItemConfig(kForm, kPreferencesTabItem, *m.preferencesTab);
    forms::ApplyItemConfig(kForm, kHelpItem, *m.helpButton);
    return true;
  }
};

// A tab was chosen (it raises the event to the form before it marks itself
// selected): every selected tab is cleared and sent behind the frame, and
// the chosen tab's page command runs.  The tab's own strategy then selects
// it and brings it to the front.
struct SelectionChanged : notus::handle_event<notus::impl::ev_selection> {
  template <class Manager>
  bool on_selection(notus::impl::ev_selection& e, Manager& m) {
    Run(e, m);
    return true;
  }
  static void Run(const notus::impl::ev_selection& e, OptionsFormModel& form);
};

// The help button (id 7) shows the selected page's help text in the help
// dialog and returns once the player has closed it.
struct ClickHelpStrategy : notus::handle_event<notus::impl::ev_click, 0> {
  template <class Manager>
  bool on_click(notus::impl::ev_click& c, Manager& m) {
    if (c.id == kHelpItem) ShowHelp(m);
    return true;
  }
  static void ShowHelp(const OptionsFormModel& form);
};

using Manager =
    notus::managers::view_manager<OptionsFormModel, std::tuple<CreateStrategy, SelectionChanged, ClickHelpStrategy>>;

}  // namespace OptionsForm
