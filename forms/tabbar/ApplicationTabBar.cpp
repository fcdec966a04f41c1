#include "forms/tabbar/ApplicationTabBar.h"

#include "forms/common/Application.h"
#include "forms/common/ApplyItemConfig.h"
#include "forms/tabbar/TabCommands.h"

namespace application_tab_bar {

namespace {

struct TabGlyphs {
  std::uint32_t selected;
  std::uint32_t unselected;
};
constexpr TabGlyphs kMenuGlyphs{100, 101};
constexpr TabGlyphs kGameGlyphs{102, 103};
constexpr TabGlyphs kOptionsGlyphs{104, 105};

// The last bar MakeApplicationTabBar made, to tell it from whatever else a
// frame may hold.
std::weak_ptr<ApplicationTabBar>& LastMadeBar() {
  static std::weak_ptr<ApplicationTabBar> bar;
  return bar;
}

void SetGlyphs(glyph_tab_button_view& tab, TabGlyphs glyphs) {
  tab.model().selected_glyph = glyphs.selected;
  tab.model().unselected_glyph = glyphs.unselected;
}

void SetSelected(glyph_tab_button_view& tab, bool selected) {
  tab.model().selected = selected;
  forms::window_ops::invalidate(tab.display().handle());
}

}  // namespace

glyph_tab_button_view* TabOf(Model& bar, std::int32_t id) {
  switch (id) {
    case kMenuTab: return bar.tab1.get();
    case kGameTab: return bar.tab2.get();
    case kOptionsTab: return bar.tab3.get();
    default: return nullptr;
  }
}

void CreateStrategy::SetUpTabs(Model& bar) {
  SetGlyphs(*bar.tab1, kMenuGlyphs);
  SetGlyphs(*bar.tab2, kGameGlyphs);
  SetGlyphs(*bar.tab3, kOptionsGlyphs);
  forms::window_ops::set_focus(bar.tab1->display().handle());
  forms::ApplyItemConfig(kTabBarForm, kMenuTab, *bar.tab1);
  forms::ApplyItemConfig(kTabBarForm, kGameTab, *bar.tab2);
  forms::ApplyItemConfig(kTabBarForm, kOptionsTab, *bar.tab3);
}

void SelectionChangedStrategy::operator()(Model& bar, std::int32_t id) const {
  for (const std::int32_t tab : {kMenuTab, kGameTab, kOptionsTab}) {
    glyph_tab_button_view* view = TabOf(bar, tab);
    if (view && view->model().selected) SetSelected(*view, false);
  }
  RunTabCommand(id);
}

void SelectGameTab(Model& bar) {
  for (const std::int32_t tab : {kMenuTab, kGameTab, kOptionsTab})
    if (glyph_tab_button_view* view = TabOf(bar, tab)) SetSelected(*view, tab == kGameTab);
}

ApplicationTabBar* HeldApplicationTabBar() {
  const Application* state = Application::Instance();
  const std::shared_ptr<ApplicationTabBar> made = LastMadeBar().lock();
  if (state == nullptr || !made || state->TabBar().get() != static_cast<void*>(made.get())) return nullptr;
  return made.get();
}

}  // namespace application_tab_bar

std::shared_ptr<void> MakeApplicationTabBar(const std::shared_ptr<notus::mainwindow::frame_display>& frame) {
  auto bar = std::make_shared<application_tab_bar::ApplicationTabBar>(frame);
  application_tab_bar::LastMadeBar() = bar;
  return bar;
}

void InstallApplicationTabBar() { notus::mainwindow::set_tab_bar_factory(MakeApplicationTabBar); }
