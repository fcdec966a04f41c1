// The application tab bar: Menu, Game and Options, three glyph tabs
// (AppTabButton.h) under every form.  The main frame view builds it over its
// display through the tab-bar factory that start-up installs
// (InstallApplicationTabBar) and keeps it for as long as the frame lives, so
// forms come and go below it without touching it.  Its place is form 1 of
// the layouts, one tab per item, in a tab group after every form's groups.
//
// Choosing a tab clears the highlight of the others and runs the tab's
// show-form command (TabCommands.h); the tab then highlights itself.  The
// forms keep the highlight in step: most show-form commands clear it
// (DeselectApplicationTabBarCommand.h) and the game form selects the Game
// tab as it is built.
#pragma once

#include <cstdint>
#include <memory>
#include <tuple>

#include "forms/common/FormBase.h"
#include "forms/tabbar/AppTabButton.h"
#include "notus/managers/view_manager.h"
#include "notus/ownerdraw/main_window.h"

namespace application_tab_bar {

// The layout form of the bar; its items 1, 2 and 3 are the tabs.
inline constexpr int kTabBarForm = 1;

struct Model : FormBase {
  // The frame's display, which the tabs are built over; kept alive for as
  // long as they are.
  std::shared_ptr<notus::mainwindow::frame_display> parent;
  std::shared_ptr<glyph_tab_button_view> tab1;
  std::shared_ptr<glyph_tab_button_view> tab2;
  std::shared_ptr<glyph_tab_button_view> tab3;
};

// The tab of an id 1, 2 or 3; null for any other.
glyph_tab_button_view* TabOf(Model& bar, std::int32_t id);

struct CreateStrategy {
  template <class Manager>
  bool create(Manager& bar, const std::shared_ptr<notus::mainwindow::frame_display>& parent) {
    bar.parent = parent;
    bar.tab1 = bar.template create_view<glyph_tab_button_view>();
    bar.tab2 = bar.template create_view<glyph_tab_button_view>();
    bar.tab3 = bar.template create_view<glyph_tab_button_view>();
    SetUpTabs(bar);
    return true;
  }
  // Gives the tabs their glyphs, the focus to tab 1, and places the tabs by
  // form 1.  A missing item throws; the bar being built then releases the
  // tabs again.
  static void SetUpTabs(Model& bar);
};

// Heard before the chosen tab selects itself: clears every selected tab
// (and marks it for repainting), then runs the chosen tab's command.  Called
// with kNoTab it only clears.
struct SelectionChangedStrategy : notus::handle_event<notus::impl::ev_selection> {
  template <class Manager>
  bool on_selection(notus::impl::ev_selection& e, Manager& bar) {
    (*this)(bar, e.id);
    return true;
  }
  void operator()(Model& bar, std::int32_t id) const;
};

using ApplicationTabBar = notus::managers::view_manager<Model, std::tuple<CreateStrategy, SelectionChangedStrategy>>;

// Selects the Game tab alone, as the game form does when it is built, from
// whatever way it was reached: tabs 1 and 3 are cleared, tab 2 selected, and
// all three repainted.  No command runs.
void SelectGameTab(Model& bar);

// The bar the main frame holds, when it is one MakeApplicationTabBar made;
// null while there is no application object, no bar, or the frame holds
// something else (a test's stand-in).
ApplicationTabBar* HeldApplicationTabBar();

}  // namespace application_tab_bar

// The tab-bar factory of the main frame view: a new bar over the frame's
// display.  What GetItemConfig throws for a missing item of form 1 passes
// through, and no bar is made.
std::shared_ptr<void> MakeApplicationTabBar(const std::shared_ptr<notus::mainwindow::frame_display>& frame);

// Start-up: makes MakeApplicationTabBar the frame's tab-bar factory.  Run
// before the application object builds the frame.
void InstallApplicationTabBar();
