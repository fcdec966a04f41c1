// The grid model: highlight marks, the bulk cell operations, candidates and
// the hint on show.

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <type_traits>
#include <vector>

#include "game/grid/GridModel.h"
#include "notus/model_controller.h"

namespace {

using Grid9 = grid::GridModel<3>;
using Grid4 = grid::GridModel<2>;

constexpr std::uint32_t At(std::uint32_t row, std::uint32_t column) { return column + row * 9; }

TEST(GridModel, StartsWithFreshCellsNoHintAndNeutralMarks) {
  const Grid9 model;
  ASSERT_EQ(model.cells.size(), 81u);
  for (const auto& cell : model.cells) {
    EXPECT_EQ(cell.given, 0);
    EXPECT_EQ(cell.solution, 0xFF);
    EXPECT_EQ(cell.user, -1);
    EXPECT_EQ(cell.marks, 16u);
    EXPECT_EQ(cell.candidates.to_ulong(), 0x1FFu);
  }
  EXPECT_EQ(model.selected, 0u);
  EXPECT_EQ(model.hint.GetPatternId(), 16u);
  EXPECT_EQ(model.hint.GetItemCount(), 0u);
  EXPECT_TRUE(model.layoutCallback.empty());
  EXPECT_EQ(model.effectMasks, std::vector<std::uint16_t>(81, 0));
  EXPECT_EQ(model.causeMasks, std::vector<std::uint16_t>(81, 0));
  EXPECT_EQ(Grid4().cells.front().candidates.to_ulong(), 0xFu);
  EXPECT_EQ(grid::GridModel<4>().cells.front().candidates.to_ulong(), 0xFFFFu);
}

TEST(GridModel, LivesInAModelControllerAndCallsItsLayoutCallback) {
  notus::model_controller<Grid9> controller;
  static_assert(std::is_same_v<decltype(controller)::update_type, notus::events::model_update>);
  int updates = 0;
  const auto connection = notus::make_shared_connection(controller, [&](notus::events::model_update&) { ++updates; });
  controller.SetCandidate(4, 2, false);
  notus::events::model_update update;
  controller.raise(update);
  EXPECT_EQ(updates, 1);
  EXPECT_FALSE(controller.model().HasCandidate(4, 2));

  Grid9::Rect seenGrid, seenOuter;
  controller.layoutCallback = [&](Grid9::Rect grid, Grid9::Rect outer) {
    seenGrid = grid;
    seenOuter = outer;
  };
  controller.layoutCallback(Grid9::Rect{20, 20, 300, 300}, Grid9::Rect{0, 0, 320, 320});
  EXPECT_EQ(seenGrid.right, 300);
  EXPECT_EQ(seenOuter.bottom, 320);
}

// ---- Guide lines ----

struct Shown {
  std::uint32_t cell;
  bool given;  // a clue (solution) or the player's value
  std::uint8_t value;
};

void Place(Grid9& model, const Shown& shown) {
  auto& cell = model.cells.at(shown.cell);
  if (shown.given) {
    cell.given = 1;
    cell.solution = shown.value;
  } else {
    cell.user = static_cast<std::int8_t>(shown.value);
  }
}

// The marks worked out cell by cell from the rule, with rows, columns and
// boxes compared as coordinates rather than walked as the model walks them.
std::vector<std::uint32_t> ExpectedMarks(const std::vector<Shown>& placed, std::uint32_t value) {
  std::vector<std::uint32_t> marks(81, 0);
  std::vector<std::uint32_t> showing;
  for (const Shown& shown : placed)
    if (shown.value == value) showing.push_back(shown.cell);
  for (std::uint32_t cell = 0; cell < 81; ++cell) {
    const std::uint32_t row = cell / 9, column = cell % 9;
    for (const std::uint32_t other : showing) {
      const std::uint32_t otherRow = other / 9, otherColumn = other % 9;
      const bool sameBox = row / 3 == otherRow / 3 && column / 3 == otherColumn / 3;
      if (row == otherRow || sameBox) marks[cell] |= 1;
      if (column == otherColumn) marks[cell] |= 2;
    }
  }
  for (const std::uint32_t cell : showing) marks[cell] = 8;
  return marks;
}

std::vector<std::uint32_t> Marks(const Grid9& model) {
  std::vector<std::uint32_t> marks;
  for (const auto& cell : model.cells) marks.push_back(cell.marks);
  return marks;
}

TEST(GridModelMarkGuideLines, MarksRowsBoxesColumnsAndTheCellsShowingTheValue) {
  struct Case {
    std::string name;
    std::vector<Shown> placed;
    std::uint32_t value;
  };
  const std::vector<Case> cases = {
      {"a clue in the centre", {{At(4, 4), true, 4}}, 4},
      {"a clue and a player's value", {{At(0, 0), true, 6}, {At(5, 8), false, 6}}, 6},
      {"other values are ignored", {{At(0, 0), true, 6}, {At(8, 8), true, 2}, {At(7, 1), false, 1}}, 6},
      {"the value is nowhere", {{At(2, 2), true, 0}, {At(3, 3), false, 8}}, 5},
      {"a clue's own player's value also counts", {{At(1, 7), true, 3}, {At(1, 7), false, 3}}, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Grid9 model;
    for (const Shown& shown : c.placed) Place(model, shown);
    model.MarkGuideLines(c.value);
    EXPECT_EQ(Marks(model), ExpectedMarks(c.placed, c.value));
  }
}

TEST(GridModelMarkGuideLines, CentreClueGivesTheDocumentedNumbers) {
  Grid9 model;
  Place(model, {At(4, 4), true, 4});
  model.MarkGuideLines(4);
  EXPECT_EQ(model.cells[At(4, 4)].marks, 8u);  // the clue itself
  EXPECT_EQ(model.cells[At(4, 0)].marks, 1u);  // its row
  EXPECT_EQ(model.cells[At(0, 4)].marks, 2u);  // its column
  EXPECT_EQ(model.cells[At(3, 3)].marks, 1u);  // its box
  EXPECT_EQ(model.cells[At(3, 4)].marks, 3u);  // its box and its column
  EXPECT_EQ(model.cells[At(0, 0)].marks, 0u);  // unrelated
}

TEST(GridModelMarkGuideLines, EmptyCellsNeverShowAValue) {
  Grid9 model;  // every player's value is -1, every solution unknown
  model.MarkGuideLines(0xFF);
  EXPECT_EQ(Marks(model), std::vector<std::uint32_t>(81, 0));
}

TEST(GridModelUpdateHighlights, FollowsTheSelectedCellWhileTheOptionIsOn) {
  enum class Selected { Clue, PlayerValue, Empty, ClueWithoutSolution };
  struct Case {
    std::string name;
    std::uint32_t option;
    Selected selected;
    std::vector<std::uint32_t> expected;  // empty: unchanged from 5 everywhere
  };
  const std::vector<Shown> placed = {{At(2, 2), true, 7}, {At(6, 1), false, 7}, {At(4, 5), false, 3}};
  const std::vector<Case> cases = {
      {"option off leaves the marks", 0, Selected::Clue, std::vector<std::uint32_t>(81, 5)},
      {"a clue highlights its solution", 1, Selected::Clue, ExpectedMarks(placed, 7)},
      {"a player's value highlights that value", 2, Selected::PlayerValue, ExpectedMarks(placed, 3)},
      {"an empty cell neutralises the marks", 1, Selected::Empty, std::vector<std::uint32_t>(81, 16)},
      {"a clue without solution shows nothing", 1, Selected::ClueWithoutSolution, std::vector<std::uint32_t>(81, 16)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Grid9 model;
    for (const Shown& shown : placed) Place(model, shown);
    model.cells[At(8, 8)].given = 1;  // solution still unknown
    for (auto& cell : model.cells) cell.marks = 5;
    model.onTabClueDigits = c.option;
    switch (c.selected) {
      case Selected::Clue: model.selected = At(2, 2); break;
      case Selected::PlayerValue: model.selected = At(4, 5); break;
      case Selected::Empty: model.selected = At(0, 8); break;
      case Selected::ClueWithoutSolution: model.selected = At(8, 8); break;
    }
    model.UpdateHighlights();
    EXPECT_EQ(Marks(model), c.expected);
  }
}

// ---- Bulk operations ----

// A 4x4 row that holds every kind of cell: a clue, right, wrong and unsolved
// player's values, and empty cells with and without a solution.
struct BulkRow {
  std::uint8_t given, solution;
  std::int8_t user;
};
const std::vector<BulkRow> kBulkRow = {
    {1, 2, -1},     // clue
    {0, 1, 1},      // right value
    {0, 3, 0},      // wrong value
    {0, 0xFF, 2},   // value, solution unknown
    {0, 2, -1},     // empty, solution known
    {0, 0xFF, -1},  // empty, solution unknown
    {1, 0xFF, -1},  // clue whose solution is unknown
};

Grid4 BulkGrid() {
  Grid4 model;
  for (std::size_t i = 0; i < kBulkRow.size(); ++i) {
    model.cells[i].given = kBulkRow[i].given;
    model.cells[i].solution = kBulkRow[i].solution;
    model.cells[i].user = kBulkRow[i].user;
  }
  return model;
}

TEST(GridModelBulk, PlayerValuesAfterEachOperation) {
  struct Case {
    std::string name;
    void (Grid4::*operation)();
    std::vector<std::int8_t> users;
    std::uint32_t filled;
  };
  const std::vector<Case> cases = {
      {"RemoveWrongValues", &Grid4::RemoveWrongValues, {-1, 1, -1, -1, -1, -1, -1}, 3},
      {"ReplaceWrongValues", &Grid4::ReplaceWrongValues, {-1, 1, 3, -1, -1, -1, -1}, 4},
      {"ClearAllUserValues", &Grid4::ClearAllUserValues, {-1, -1, -1, -1, -1, -1, -1}, 2},
      {"FillSolution", &Grid4::FillSolution, {2, 1, 3, -1, 2, -1, -1}, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Grid4 model = BulkGrid();
    (model.*c.operation)();
    for (std::size_t i = 0; i < kBulkRow.size(); ++i) {
      EXPECT_EQ(model.cells[i].user, c.users[i]) << "cell " << i;
      EXPECT_EQ(model.cells[i].given, kBulkRow[i].given) << "cell " << i;
      EXPECT_EQ(model.cells[i].solution, kBulkRow[i].solution) << "cell " << i;
    }
    EXPECT_EQ(model.CountFilledCells(), c.filled);
  }
}

TEST(GridModelBulk, CountFilledCellsCountsACellOnce) {
  Grid4 model = BulkGrid();
  EXPECT_EQ(model.CountFilledCells(), 5u);  // two clues, three values
  model.FillSolution();                     // clues get a player's value too
  EXPECT_EQ(model.CountFilledCells(), 5u);
}

// Every column holds one value four times: with no solution known every
// value breaks the rules, and there is no solution to fill in either.
TEST(GridModelBulk, WithNoSolutionKnownValuesThatAllClashAllGo) {
  for (void (Grid4::*operation)() : {&Grid4::RemoveWrongValues, &Grid4::ReplaceWrongValues, &Grid4::FillSolution}) {
    Grid4 model;
    for (std::uint32_t i = 0; i < 16; ++i) model.cells[i].user = static_cast<std::int8_t>(i % 4);
    (model.*operation)();
    EXPECT_EQ(model.CountFilledCells(), 0u);
  }
}

TEST(GridModelBulk, ResetAllCellsKeepsMarksAndSelection) {
  Grid4 model = BulkGrid();
  model.selected = 9;
  model.ClearAllCandidates();
  model.cells[3].marks = 8;
  model.ResetAllCells();
  EXPECT_EQ(model.selected, 9u);
  EXPECT_EQ(model.cells[3].marks, 8u);
  for (const auto& cell : model.cells) {
    EXPECT_EQ(cell.given, 0);
    EXPECT_EQ(cell.solution, 0xFF);
    EXPECT_EQ(cell.user, -1);
    EXPECT_EQ(cell.candidates.to_ulong(), 0xFu);
  }
}

TEST(GridModelBulk, CandidatesClearAndFillInEveryCell) {
  Grid9 model;
  model.ClearAllCandidates();
  for (const auto& cell : model.cells) EXPECT_TRUE(cell.candidates.none());
  model.SetCandidate(80, 8, true);
  model.FillAllCandidates();
  for (const auto& cell : model.cells) EXPECT_EQ(cell.candidates.to_ulong(), 0x1FFu);
}

TEST(GridModelCandidates, SetTestAndRejectValuesOutOfRange) {
  Grid9 model;
  model.SetCandidate(10, 8, false);
  EXPECT_FALSE(model.HasCandidate(10, 8));
  EXPECT_TRUE(model.HasCandidate(10, 7));
  EXPECT_TRUE(model.HasCandidate(11, 8));
  model.SetCandidate(10, 8, true);
  EXPECT_TRUE(model.HasCandidate(10, 8));

  EXPECT_THROW(model.SetCandidate(10, 9, true), std::out_of_range);
  EXPECT_THROW(model.HasCandidate(10, 9), std::out_of_range);
  EXPECT_THROW(model.SetCandidate(81, 0, true), std::out_of_range);
  EXPECT_THROW(Grid4().SetCandidate(0, 4, true), std::out_of_range);
}

// ---- The hint on show ----

TEST(GridModelHint, ItemsGoToTheirMasksAndASecondHintReplacesTheFirst) {
  Grid9 model;
  CHintInfo first;
  first.SetPatternId(5);
  first.AddItem(kHintCause, 1, 3, 0x004);
  first.AddItem(kHintEffect, 3, 12, 0x001);
  first.AddItem(kHintEffect, 1, 12, 0x100);  // the same cell from another group
  model.ShowHint(first);
  EXPECT_EQ(model.hint.GetPatternId(), 5u);
  EXPECT_EQ(model.hint.GetItemCount(), 3u);
  EXPECT_EQ(model.causeMasks[3], 0x004);
  EXPECT_EQ(model.effectMasks[12], 0x101);
  EXPECT_EQ(model.effectMasks[3], 0);
  EXPECT_EQ(model.causeMasks[12], 0);

  // A hint shown without a clear in between (after a reset of the grid, for
  // example) must not show any cell of the first one.
  CHintInfo second;
  second.SetPatternId(2);
  second.AddItem(kHintEffect, 0, 40, 0x010);
  model.ShowHint(second);
  std::vector<std::uint16_t> effect(81, 0), cause(81, 0);
  effect[40] = 0x010;
  EXPECT_EQ(model.effectMasks, effect);
  EXPECT_EQ(model.causeMasks, cause);
  EXPECT_EQ(model.hint.GetPatternId(), 2u);
  EXPECT_EQ(model.hint.GetItemCount(), 1u);

  model.ClearHint();
  EXPECT_EQ(model.hint.GetPatternId(), 16u);
  EXPECT_EQ(model.hint.GetItemCount(), 0u);
  EXPECT_EQ(model.effectMasks, cause);
  EXPECT_EQ(model.causeMasks, cause);
}

}  // namespace
