// The Statistics page of the options form: the current player's record for
// the level and grid size chosen in its two combo boxes, shown as four rows,
// and the two choices kept for the next showing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/utf.h"
#include "forms/options/StatisticsPage.h"
#include "tests/forms_options/options_fixture.h"

namespace options_test {
namespace {

using namespace options_statistics_form;

class StatisticsPageTest : public OptionsFormTest {
 protected:
  void ShowPage() {
    OpenThroughTheTabBar();
    ClickTab(OptionsForm::kStatisticsTabItem);
  }
  options_statistics_form::Model& Page() const { return *Options()->statisticsPage; }

  // The list's rows, one string: "Solved puzzles: 0 | Shortest time: ...".
  std::string Rows() const {
    std::wstring rows;
    for (const auto& row : Page().list->list_view->model().items) rows += (rows.empty() ? L"" : L" | ") + *row;
    return wide_to_utf8(rows);
  }
  // The entry each combo box shows: "Own puzzle, 2x2".
  std::string Chosen() const { return wide_to_utf8(Text(*Page().level) + L", " + Text(*Page().size)); }

  // Opens the combo box of the item and clicks its entry.
  void Choose(int item, int entry) {
    const ItemConfig c = ResourceManager::GetItemConfig(kForm, item);
    const int x = (c.left + c.right) / 2;
    winapi::headless::InjectClick(main, x, c.top + 10);
    Settle();
    winapi::headless::InjectClick(main, x, c.top + 20 + 25 * entry + 12);
    Settle();
  }

 private:
  static std::wstring Text(const ComboBox& combo) { return combo.label_view->model().text; }
};

constexpr const char* kZeros =
    "Solved puzzles: 0 | Shortest time: 00:00:00 | Longest time: 00:00:00 | Average time: 00:00:00";

// The first showing picks the player-built puzzles of 4x4 grids; a record of
// another level or size is not theirs.
TEST_F(StatisticsPageTest, TheFirstShowingPicksTheFirstEntriesAndShowsZerosWithoutARecord) {
  state->statistics = {StatisticRecord{1, 0, 100, 1, 100, 100, 100}, StatisticRecord{0, 1, 200, 2, 90, 110, 100}};
  ShowPage();
  EXPECT_EQ(Page().level->selected, 0);
  EXPECT_EQ(Page().size->selected, 0);
  EXPECT_EQ(Chosen(), "Own puzzle, 2x2");
  EXPECT_EQ(Page().level->list_view->model().size(), 6u);
  EXPECT_EQ(Rows(), kZeros);
}

// Each choice shows the record of both committed indices; leaving the page
// keeps them, and the next showing opens on them.
TEST_F(StatisticsPageTest, ChoicesPickTheRecordAndComeBackOnTheNextShowing) {
  state->statistics = {
      StatisticRecord{0, 2, 100, 2, 40, 60, 50},
      StatisticRecord{3, 1, 999, 9, 99, 99, 99},
      StatisticRecord{2, 2, 888, 8, 88, 88, 88},
      StatisticRecord{3, 2, 10000, 3, 3000, 3725, 3333},
  };
  const std::string ownOf16 =
      "Solved puzzles: 2 | Shortest time: 00:00:40 | Longest time: 00:01:00 | Average time: 00:00:50";
  const std::string advancedOf16 =
      "Solved puzzles: 3 | Shortest time: 00:50:00 | Longest time: 01:02:05 | Average time: 00:55:33";
  ShowPage();
  Choose(kSizeItem, 2);
  EXPECT_EQ(Chosen(), "Own puzzle, 4x4");
  EXPECT_EQ(Rows(), ownOf16);
  Choose(kLevelItem, 3);
  EXPECT_EQ(Chosen(), "Advanced, 4x4");
  EXPECT_EQ(Rows(), advancedOf16);

  ClickTab(OptionsForm::kGameTabItem);
  EXPECT_EQ(SessionMemory::Get(kSessionMemoryId), "1\n3\n2\n");
  ClickTab(OptionsForm::kStatisticsTabItem);
  EXPECT_EQ(Page().level->selected, 3);
  EXPECT_EQ(Page().size->selected, 2);
  EXPECT_EQ(Chosen(), "Advanced, 4x4");
  EXPECT_EQ(Rows(), advancedOf16);

  // Also when the whole form goes and comes back.
  Click(application_tab_bar::kTabBarForm, application_tab_bar::kGameTab);
  Settle();
  ShowPage();
  EXPECT_EQ(Chosen(), "Advanced, 4x4");
}

TEST_F(StatisticsPageTest, AMissingCaptionLeavesTheRowStartingWithItsSeparator) {
  LoadResourcesWithoutString(kFirstRowString + 1);
  ShowPage();
  EXPECT_EQ(Rows(), "Solved puzzles: 0 | : 00:00:00 | Longest time: 00:00:00 | Average time: 00:00:00");
}

}  // namespace
}  // namespace options_test
