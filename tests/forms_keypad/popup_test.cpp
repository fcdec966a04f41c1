// The keypads as the player moves over the grid: popups opening and closing
// on clicks, following the selection, placement only when needed, and the
// button states for the selected cell.

#include <gtest/gtest.h>

#include "keypad_fixture.h"

namespace {

using namespace keypad_test;
using Popups = KeypadFixture<3>;

bool same(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST_F(Popups, ClicksOpenCloseAndMoveTheValuePopup) {
  UseTopology(2);
  auto& value = keypads->value;
  EXPECT_FALSE(visible(value.digits[0]));
  game->Click(30);
  EXPECT_TRUE(visible(value.digits[0]) && visible(value.ok) && visible(value.frame));
  EXPECT_TRUE(focused(value.ok));
  const RECT at30 = rect_of(value.digits[0]);
  // Another cell while open: placed there, still open.
  game->Click(31);
  EXPECT_TRUE(value.visible);
  EXPECT_FALSE(same(rect_of(value.digits[0]), at30));
  // The same cell again closes it.
  game->Click(31);
  EXPECT_FALSE(value.visible);
  EXPECT_FALSE(visible(value.frame));
  // A given cell never opens it and closes an open one.
  game->cells[50].given = 1;
  game->Click(50);
  EXPECT_FALSE(value.visible);
  game->Click(49);
  ASSERT_TRUE(value.visible);
  game->Click(50);
  EXPECT_FALSE(value.visible);
  // Only the active keypad follows the selection.
  EXPECT_EQ(value.laidOutCell, 50u);
  EXPECT_NE(keypads->candidate.laidOutCell, 50u);
}

TEST_F(Popups, CandidateModeOpensNoPopupWhereTheSolutionIsUnknown) {
  UseTopology(4);
  game->Select(12);
  SwitchToCandidateMode(*keypads);
  HideKeypadPopups(*keypads);
  game->Click(12);
  EXPECT_FALSE(keypads->candidate.visible);
  game->cells[12].solution = 3;
  game->Click(12);
  EXPECT_TRUE(keypads->candidate.visible);
  EXPECT_FALSE(keypads->value.visible);
}

TEST_F(Popups, PanelsOnlyNoteTheClickedCell) {
  UseTopology(0);
  const RECT before = rect_of(keypads->value.digits[3]);
  game->Click(44);
  EXPECT_EQ(keypads->lastClickedCell, 44u);
  EXPECT_TRUE(keypads->value.visible && keypads->candidate.visible);
  EXPECT_TRUE(same(rect_of(keypads->value.digits[3]), before));
  // Their "ok" and frame are never shown; unforced hides leave them.
  EXPECT_FALSE(visible(keypads->value.ok));
  HideKeypadPopups(*keypads);
  EXPECT_TRUE(visible(keypads->value.digits[3]));
}

TEST_F(Popups, PlacementOnlyWhenTheCellOrTheRectanglesChange) {
  UseTopology(3);
  auto& value = keypads->value;
  keypad::LayoutKeypadForCell(value, 40);
  const RECT placed = rect_of(value.digits[0]);
  window_ops::move(value.digits[0]->display().handle(), {1, 1});
  keypad::LayoutKeypadForCell(value, 40);
  EXPECT_EQ(rect_of(value.digits[0]).left, 1) << "placed again for the same cell";
  // A new topology forces the next placement.
  keypad::SetTopologyOfValueKeypad(*keypads, keypad::MakeKeypadTopologies<3>(3).value);
  keypads->layout(kGrid, kOuter);
  keypad::LayoutKeypadForCell(value, 40);
  EXPECT_TRUE(same(rect_of(value.digits[0]), placed));

  // Panels at cell 0 follow a new grid rectangle.
  UseTopology(0);
  const RECT wide = rect_of(keypads->value.digits[0]);
  keypads->layout({8, 8, 308, 308}, kOuter);
  EXPECT_FALSE(same(rect_of(keypads->value.digits[0]), wide));
  EXPECT_EQ(rect_of(keypads->value.digits[0]).left, 310);
}

TEST_F(Popups, ACellOutsideTheGridThrowsBeforeAnythingMoves) {
  UseTopology(2);
  auto& value = keypads->value;
  keypad::LayoutKeypadForCell(value, 0);
  const RECT before = rect_of(value.digits[0]);
  for (std::uint32_t cell : {81u, 256u, 300u}) {
    SCOPED_TRACE(cell);
    try {
      keypad::LayoutKeypadForCell(value, cell);
      ADD_FAILURE() << "no throw";
    } catch (const char* what) {
      EXPECT_STREQ(what, "m_cellIndex > 256 which is illegal.");
    }
    EXPECT_TRUE(same(rect_of(value.digits[0]), before));
    EXPECT_EQ(value.laidOutCell, 0u);
  }
}

TEST_F(Popups, ButtonStatesForTheSelectedCell) {
  UseTopology(0);
  auto& value = keypads->value;
  auto& candidate = keypads->candidate;
  auto& cell = game->cells[7];
  cell.candidates.reset();
  cell.candidates.set(1);
  cell.candidates.set(4);

  keypads->value.allowOnlyValidEntries = 1;
  game->Select(7);
  for (std::uint32_t i = 0; i < 9; ++i) EXPECT_EQ(value.digits[i]->model().active, i == 1 || i == 4) << i;
  EXPECT_FALSE(value.x->model().active);
  for (std::uint32_t i = 0; i < 9; ++i) {
    EXPECT_TRUE(window_ops::is_enabled(candidate.digits[i]->display().handle()));
    EXPECT_EQ(candidate.digits[i]->model().selected, i == 1 || i == 4) << i;
  }

  // A filled cell: value "x" active, candidate buttons off and unchecked.
  cell.user = 2;
  game->Select(7);
  EXPECT_TRUE(value.x->model().active);
  EXPECT_FALSE(window_ops::is_enabled(candidate.x->display().handle()));
  for (auto& d : candidate.digits) {
    EXPECT_FALSE(window_ops::is_enabled(d->display().handle()));
    EXPECT_FALSE(d->model().selected);
  }

  // A given cell: nothing of the value keypad is active.
  game->cells[8].given = 1;
  game->Select(8);
  for (auto& d : value.digits) EXPECT_FALSE(d->model().active);
  EXPECT_FALSE(value.x->model().active);
  EXPECT_FALSE(window_ops::is_enabled(candidate.digits[0]->display().handle()));

  // Without the option every digit of an open cell is active.
  keypads->value.allowOnlyValidEntries = 0;
  game->Select(9);
  for (auto& d : value.digits) EXPECT_TRUE(d->model().active);
}

}  // namespace
