// The options form as the player meets it: opened from the application tab
// bar over a running game, its tabs clicked and pressed, its help button, and
// opened again on the tab it was left on, also after a change of language.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "base/utf.h"
#include "tests/forms_options/options_fixture.h"

namespace options_test {
namespace {

using namespace OptionsForm;

// Opening over a running game: nothing before the loop turns, then the form
// on Game, the game hidden with its clock stopped, and the Options tab still
// highlighted.
TEST_F(OptionsFormTest, TheOptionsTabOpensTheFormOnGameOverAPausedGame) {
  StartPuzzle();
  Click(application_tab_bar::kTabBarForm, application_tab_bar::kGameTab);
  Settle();
  ASSERT_TRUE(GridVisible());
  GameBase& game = *state->game;

  ShowOptionFormCommand().Execute();
  EXPECT_EQ(Options(), nullptr);
  EXPECT_TRUE(GridVisible()) << "nothing changes before the loop turns";
  Click(application_tab_bar::kTabBarForm, application_tab_bar::kOptionsTab);
  Settle();
  ASSERT_NE(Options(), nullptr);
  EXPECT_EQ(SelectedTabs(), "1000");
  EXPECT_EQ(Slots(), "10000");
  EXPECT_EQ(Highlight(), "001");
  EXPECT_FALSE(GridVisible());
  const std::uint32_t elapsed = game.GetElapsedSeconds();
  winapi::headless::AdvanceTickCount(5000);
  EXPECT_EQ(game.GetElapsedSeconds(), elapsed) << "the clock is paused";
  EXPECT_TRUE(Visible(*Options()->frame));
  EXPECT_TRUE(Visible(*Options()->helpButton));
}

// Each tab holds its page alone (Preferences with its grid-paint part);
// the pages left behind are gone, not hidden.  The chosen tab comes in front
// of the frame, the others go behind it.
TEST_F(OptionsFormTest, EachTabReplacesThePageAndTakesTheFront) {
  struct Step {
    const char* what;
    int tab;  // 0: the form as it opens
    const char* slots;
    const char* selected;
    const char* orders;
  };
  const Step steps[] = {
      {"opened", 0, "10000", "1000", "10 -30 20 20 20"},
      {"Assistance", kAssistanceTabItem, "01000", "0100", "10 20 0 20 20"},
      {"Statistics", kStatisticsTabItem, "00100", "0010", "10 20 20 0 20"},
      {"Preferences", kPreferencesTabItem, "00011", "0001", "10 20 20 20 0"},
      {"Assistance again", kAssistanceTabItem, "01000", "0100", "10 20 0 20 20"},
      {"Game", kGameTabItem, "10000", "1000", "10 0 20 20 20"},
  };
  OpenThroughTheTabBar();
  ASSERT_NE(Options(), nullptr);
  std::vector<std::weak_ptr<FormBase>> earlier;
  for (const Step& s : steps) {
    SCOPED_TRACE(s.what);
    if (s.tab != 0) ClickTab(s.tab);
    for (const auto& page : earlier) EXPECT_TRUE(page.expired()) << "a page left behind lives on";
    EXPECT_EQ(Slots(), s.slots);
    EXPECT_EQ(SelectedTabs(), s.selected);
    EXPECT_EQ(PaintOrders(), s.orders);
    OptionsFormModel& f = *Options();
    earlier.clear();
    for (const std::shared_ptr<FormBase>& page :
         {f.gamePage, f.assistancePage, std::shared_ptr<FormBase>(f.statisticsPage), f.preferencesPage,
          f.gridPaintPart})
      if (page) earlier.push_back(page);
  }
}

// A click on the selected tab raises nothing, so its page stays; Return on
// it chooses it again, and its page is built anew.
TEST_F(OptionsFormTest, TheSelectedTabRebuildsItsPageOnlyOnReturn) {
  OpenThroughTheTabBar();
  ClickTab(kAssistanceTabItem);
  const std::weak_ptr<FormBase> first = Options()->assistancePage;

  ClickTab(kAssistanceTabItem);
  EXPECT_EQ(Options()->assistancePage, first.lock()) << "a click on the selected tab rebuilt its page";

  ASSERT_TRUE(forms::window_ops::has_focus(Options()->assistanceTab->display().handle()));
  Key(VK_RETURN);
  EXPECT_TRUE(first.expired());
  EXPECT_NE(Options()->assistancePage, nullptr);
  EXPECT_EQ(Slots(), "01000");
  EXPECT_EQ(SelectedTabs(), "0100");
  EXPECT_EQ(PaintOrders(), "10 20 0 20 20");
}

// The form opens on the tab it was left on, kept for the run; anything but
// the three other tabs' numbers opens Game.
TEST_F(OptionsFormTest, TheFormOpensOnTheStoredTab) {
  struct Case {
    const char* stored;  // null: nothing stored
    const char* selected;
    const char* slots;
    const char* orders;
  };
  const Case cases[] = {
      {nullptr, "1000", "10000", "10 -30 20 20 20"},  {"1\n1\n", "0100", "01000", "10 20 -30 20 20"},
      {"1\n2\n", "0010", "00100", "10 20 20 -30 20"}, {"1\n3\n", "0001", "00011", "10 20 20 20 -30"},
      {"1\n7\n", "1000", "10000", "10 -30 20 20 20"}, {"1\n-1\n", "1000", "10000", "10 -30 20 20 20"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored ? c.stored : "nothing");
    state->currentForm.reset();
    SessionMemory::Clear();
    if (c.stored) SessionMemory::Put(kSessionMemoryId, c.stored);
    ShowOptionFormCommand().Execute();
    Settle();
    ASSERT_NE(Options(), nullptr);
    EXPECT_EQ(SelectedTabs(), c.selected);
    EXPECT_EQ(Slots(), c.slots);
    EXPECT_EQ(PaintOrders(), c.orders);
  }
}

// Leaving the form for the game form and coming back through the tab bar
// finds the Statistics page again.
TEST_F(OptionsFormTest, StatisticsLeftIsStatisticsReopened) {
  OpenThroughTheTabBar();
  ClickTab(kStatisticsTabItem);
  Click(application_tab_bar::kTabBarForm, application_tab_bar::kGameTab);
  Settle();
  ASSERT_EQ(Options(), nullptr);
  EXPECT_EQ(SessionMemory::Get(kSessionMemoryId), "1\n2\n");

  OpenThroughTheTabBar();
  ASSERT_NE(Options(), nullptr);
  EXPECT_EQ(SelectedTabs(), "0010");
  EXPECT_EQ(Slots(), "00100");
  EXPECT_EQ(PaintOrders(), "10 20 20 -30 20");
}

// Whether every paragraph of the string starts one of the painted lines:
// the help dialog wraps each paragraph, and its first words begin a line.
::testing::AssertionResult ShowsText(const strings& shown, std::uint32_t id) {
  const std::wstring text = ResourceManager::GetString(id);
  if (text.empty()) return ::testing::AssertionFailure() << "string " << id << " is missing";
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = std::min(text.find(L'\r', start), text.size());
    const std::string paragraph = wide_to_utf8(text.substr(start, end - start));
    bool found = false;
    for (const std::string& line : shown) found = found || (!line.empty() && paragraph.starts_with(line));
    if (!found) return ::testing::AssertionFailure() << "\"" << paragraph << "\" of string " << id << " is not shown";
    start = end + 1;
  }
  return ::testing::AssertionSuccess();
}

// The help button shows the selected page's text under the caption 389;
// with no tab selected it shows nothing.
TEST_F(OptionsFormTest, HelpShowsTheTextOfTheSelectedPage) {
  struct Case {
    int tab;
    std::uint32_t text;
  };
  const Case cases[] = {
      {kGameTabItem, 390}, {kAssistanceTabItem, 391}, {kStatisticsTabItem, 392}, {kPreferencesTabItem, 393}};
  OpenThroughTheTabBar();
  const std::string caption = wide_to_utf8(ResourceManager::GetString(kHelpCaption));
  ASSERT_FALSE(caption.empty());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    ClickTab(c.tab);
    DialogScript script(main);
    strings shown;
    script.Answer().Do([this, &shown] { shown = PaintedTexts(); }).Key(VK_RETURN);
    Click(kForm, kHelpItem);
    Settle();
    EXPECT_TRUE(script.Done());
    EXPECT_TRUE(dialogs_test::Shows(shown, caption));
    EXPECT_TRUE(ShowsText(shown, c.text));
    for (std::uint32_t other = 390; other <= 393; ++other) {
      if (other == c.text) continue;
      EXPECT_FALSE(ShowsText(shown, other));
    }
  }

  for (auto* tab : {Options()->gameTab.get(), Options()->assistanceTab.get(), Options()->statisticsTab.get(),
                    Options()->preferencesTab.get()})
    tab->model().selected = false;
  DialogScript none(main);
  Click(kForm, kHelpItem);
  Settle();
  EXPECT_EQ(none.Answered(), 0u);
}

// The language button of the Preferences page: a new language accepted is
// stored and shows the form again, in the new texts and on Preferences;
// Cancel leaves the language, the texts and the form as they were.
TEST_F(OptionsFormTest, ALanguageChangeReopensTheFormInItsTextsOnPreferences) {
  const ItemConfig combo = ResourceManager::GetItemConfig(23, 5);
  const int x = (combo.left + combo.right) / 2;
  struct Case {
    const char* what;
    int button;  // of the language dialog: 3 OK, 4 Cancel
    std::wstring language;
    bool reopened;
  };
  const Case cases[] = {{"Cancel", 4, L"en", false}, {"OK", 3, L"de", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    state->currentForm.reset();
    SessionMemory::Clear();
    ShowOptionFormCommand().Execute();
    Settle();
    ClickTab(kPreferencesTabItem);
    const std::weak_ptr<FormBase> before = state->currentForm;
    const std::wstring gameTabText = Options()->gameTab->model().text;

    DialogScript script(main);
    script.Answer().ClickAt(x, combo.top + 10).ClickAt(x, combo.top + 20 + 25 + 12).Click(23, c.button);
    Click(6, 96);
    Settle();
    EXPECT_TRUE(script.Done());

    EXPECT_EQ(state->options.language, c.language);
    ASSERT_NE(Options(), nullptr);
    EXPECT_EQ(before.expired(), c.reopened);
    EXPECT_EQ(SelectedTabs(), "0001");
    EXPECT_EQ(Slots(), "00011");
    if (c.reopened) {
      EXPECT_EQ(Options()->gameTab->model().text, ResourceManager::GetItemConfig(kForm, kGameTabItem).text);
      EXPECT_NE(Options()->gameTab->model().text, gameTabText) << "the form shows the old language";
      EXPECT_EQ(PaintOrders(), "10 20 20 20 -30");
    } else {
      EXPECT_EQ(Options()->gameTab->model().text, gameTabText);
      EXPECT_EQ(state->PendingFormCommand(), nullptr);
    }
  }
}

}  // namespace
}  // namespace options_test
