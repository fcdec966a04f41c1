#pragma once
// The options form tests' host: the game form's host (real main window,
// tab bar, games and resource file), and short descriptions of the form's
// state so that a table of steps reads at a glance.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/SessionMemory.h"
#include "forms/options/OptionsForm.h"
#include "forms/options/ShowOptionFormCommand.h"
#include "forms/tabbar/TabCommands.h"
#include "tests/support/gameform_fixture.h"

namespace options_test {

using gameform_test::DialogScript;
using gameform_test::strings;

class OptionsFormTest : public gameform_test::GameFormTest {
 protected:
  OptionsForm::Manager* Options() const { return dynamic_cast<OptionsForm::Manager*>(state->currentForm.get()); }

  // The Options tab of the application tab bar, as the player opens the form.
  void OpenThroughTheTabBar() {
    Click(application_tab_bar::kTabBarForm, application_tab_bar::kOptionsTab);
    Settle();
  }
  void ClickTab(int item) {
    Click(OptionsForm::kForm, item);
    Settle();
  }
  void Key(int virtualKey) {
    winapi::headless::InjectKey(main, virtualKey, true);
    winapi::headless::InjectKey(main, virtualKey, false);
    Settle();
  }

  // Which page slots hold a page: Game, Assistance, Statistics,
  // Preferences, grid-paint part; "00011" is the Preferences page.
  std::string Slots() const {
    const OptionsFormModel& f = *Options();
    std::string held;
    for (bool slot : {f.gamePage != nullptr, f.assistancePage != nullptr, f.statisticsPage != nullptr,
                      f.preferencesPage != nullptr, f.gridPaintPart != nullptr})
      held += slot ? '1' : '0';
    return held;
  }
  // Which tabs are selected: Game, Assistance, Statistics, Preferences.
  std::string SelectedTabs() const {
    std::string flags;
    for (const auto* tab : Tabs()) flags += tab->model().selected ? '1' : '0';
    return flags;
  }
  // The paint orders of the frame and the four tabs: "10 -30 20 20 20".
  std::string PaintOrders() const {
    std::string orders = std::to_string(ZOrder(*Options()->frame));
    for (const auto* tab : Tabs()) orders += " " + std::to_string(ZOrder(*tab));
    return orders;
  }

 private:
  std::vector<const OptionsForm::TabView*> Tabs() const {
    const OptionsFormModel& f = *Options();
    return {f.gameTab.get(), f.assistanceTab.get(), f.statisticsTab.get(), f.preferencesTab.get()};
  }
  template <class View>
  static int ZOrder(const View& view) {
    return view.display().handle().get()->z_order();
  }
};

}  // namespace options_test
