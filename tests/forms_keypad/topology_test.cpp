// The keypad topologies: the panels' arithmetic, the popups' choice of block,
// column or row, and for every cell of every grid size that a popup sits
// between the grid lines and leaves its own cell free.

#include "forms/keypad/KeypadTopology.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

namespace {

using grid::GridBlockRect;
using grid::GridColumnStripRect;
using grid::GridRowStripRect;
using keypad::KeypadRect;

std::string describe(const KeypadRect& r) {
  return "{" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " + std::to_string(r.right) + ", " +
         std::to_string(r.bottom) + "}";
}

template <class Topology>
std::unique_ptr<Topology> with(KeypadRect outer, KeypadRect grid) {
  auto t = std::make_unique<Topology>();
  t->outer = outer;
  t->grid = grid;
  return t;
}

TEST(KeypadPanels, ButtonsOfTheRightAndBottomPanels) {
  const KeypadRect outer{0, 0, 480, 600};
  const KeypadRect grid{10, 10, 410, 410};
  const auto right = with<keypad::KeypadRightTopology<3>>(outer, grid);
  const auto bottom = with<keypad::KeypadBottomTopology<3>>(outer, grid);
  // An outer rectangle that does not start at 0 measures the strip from its
  // own right edge.
  const auto shifted = with<keypad::KeypadRightTopology<3>>({100, 0, 580, 600}, {110, 10, 510, 410});
  // A narrow strip: 90 % of 30 px is below the row height, so no clamp.
  const auto narrow = with<keypad::KeypadRightTopology<3>>({0, 0, 440, 600}, grid);
  const auto narrowBottom = with<keypad::KeypadBottomTopology<3>>({0, 0, 480, 440}, grid);
  struct Case {
    const char* name;
    KeypadRect got;
    KeypadRect want;
  } cases[] = {
      {"right digit 0, clamped square", right->GetButtonRect(0, 0), {412, 10, 452, 50}},
      {"right x at index S", right->GetClearButtonRect(40), {412, 370, 452, 410}},
      {"right ignores the cell", right->GetButtonRect(4, 80), right->GetButtonRect(4, 0)},
      {"shifted outer", shifted->GetButtonRect(0, 0), {512, 10, 552, 50}},
      {"narrow strip", narrow->GetButtonRect(1, 0), {411, 50, 438, 90}},
      {"bottom digit 2", bottom->GetButtonRect(2, 0), {90, 412, 130, 452}},
      {"narrow bottom strip", narrowBottom->GetButtonRect(0, 0), {10, 411, 50, 438}},
      {"corner square, right", right->GetSwitchButtonRect(7), {412, 412, 452, 452}},
      {"corner square, bottom", bottom->GetSwitchButtonRect(0), {412, 412, 452, 452}},
      {"area empty", right->GetArea(3), {0, 0, 0, 0}},
      {"ok empty", bottom->GetOkButtonRect(3), {0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(describe(c.got), describe(c.want));
  }
}

TEST(KeypadPopups, BlockColumnOrRowChosenForACell) {
  const KeypadRect g{0, 0, 300, 300};  // N = 3: cells of 32 px
  const auto near = with<keypad::KeypadRectangleTopology<3, 1>>({}, g);
  const auto own = with<keypad::KeypadRectangleTopology<3, 0>>({}, g);
  const auto column = with<keypad::KeypadRowColTopology<3, 0>>({}, g);
  const auto row = with<keypad::KeypadRowColTopology<3, 1>>({}, g);
  struct Case {
    const char* name;
    KeypadRect got;
    KeypadRect want;
  } cases[] = {
      {"near block of cell 40: column 6, row 5", near->GetArea(40), {201, 167, 298, 265}},
      {"near block of cell 27: column 3, row 4", near->GetArea(27), GridBlockRect<3>(3, 4, g)},
      {"near block of cell 80: column 3, row 5", near->GetArea(80), GridBlockRect<3>(3, 5, g)},
      {"near block of cell 3: first column of the middle box", near->GetArea(3), GridBlockRect<3>(0, 1, g)},
      {"near block of cell 4: second column of the middle box", near->GetArea(4), GridBlockRect<3>(6, 1, g)},
      {"own box of cell 40", own->GetArea(40), GridBlockRect<3>(3, 3, g)},
      {"column of cell 0", column->GetArea(0), GridColumnStripRect<3>(1, g)},
      {"column of cell 9", column->GetArea(9), GridColumnStripRect<3>(1, g)},
      {"column of cell 5", column->GetArea(5), GridColumnStripRect<3>(4, g)},
      {"row of cell 8", row->GetArea(8), GridRowStripRect<3>(1, g)},
      {"row of cell 9", row->GetArea(9), GridRowStripRect<3>(0, g)},
      {"row of cell 80", row->GetArea(80), GridRowStripRect<3>(7, g)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(describe(c.got), describe(c.want));
  }
}

TEST(KeypadPopups, DigitsInRowsOfNAndTheExtrasInThirds) {
  const KeypadRect g{0, 0, 400, 400};
  const auto pad = with<keypad::KeypadRectangleTopology<4, 0>>({}, g);
  const KeypadRect a = pad->GetArea(0);
  const double quarter = (a.right - a.left) / 4.0;
  const double third = (a.right - a.left) / 3.0;
  const double fifth = (a.bottom - a.top) / 5.0;
  EXPECT_EQ(describe(pad->GetButtonRect(5, 0)),
            describe({a.left + int(quarter), a.top + int(fifth), a.left + int(2 * quarter), a.top + int(2 * fifth)}));
  EXPECT_EQ(describe(pad->GetClearButtonRect(0)),
            describe({a.left, a.top + int(4 * fifth), a.left + int(third), a.top + int(5 * fifth)}));
  EXPECT_EQ(describe(pad->GetSwitchButtonRect(0)),
            describe({a.left + int(third), a.top + int(4 * fifth), a.left + int(2 * third), a.top + int(5 * fifth)}));
  EXPECT_EQ(describe(pad->GetOkButtonRect(0)), describe({a.left + int(2 * third), a.top + int(4 * fifth),
                                                         a.left + int(3 * third), a.top + int(5 * fifth)}));

  const auto strip = with<keypad::KeypadRowColTopology<2, 1>>({}, g);
  const KeypadRect s = strip->GetArea(5);  // row 1 of a 4x4 grid: the row above
  const double w = (s.right - s.left) / 7.0;
  EXPECT_EQ(describe(strip->GetOkButtonRect(5)), describe({s.left + int(6 * w), s.top, s.left + int(7 * w), s.bottom}));
}

// Every pixel column (or row) that a grid line of the grid g paints.
template <unsigned N>
std::set<int> line_pixels(int origin, double cell) {
  std::set<int> out;
  for (int k = 0; k <= static_cast<int>(N * N); ++k)
    for (int p = 0; p < grid::GridLineWidth<N>(k); ++p) out.insert(origin + grid::GridLinePosition<N>(k, cell) + p);
  return out;
}

// A popup's area is bounded by grid lines on every side, holds every button
// it places, and (except the own-box keypad, whose point is to cover it)
// never covers the cell it is for.
template <unsigned N, class Topology>
void check_every_cell(const KeypadRect& g, bool coversItsCell) {
  constexpr int S = static_cast<int>(N * N);
  const auto pad = with<Topology>({}, g);
  const std::set<int> xs = line_pixels<N>(g.left, grid::GridCellWidth<N>(g));
  const std::set<int> ys = line_pixels<N>(g.top, grid::GridCellHeight<N>(g));
  for (int cell = 0; cell < S * S; ++cell) {
    SCOPED_TRACE("N = " + std::to_string(N) + ", cell " + std::to_string(cell));
    const KeypadRect a = pad->GetArea(cell);
    ASSERT_TRUE(xs.count(a.left - 1) && xs.count(a.right + 1)) << describe(a);
    ASSERT_TRUE(ys.count(a.top - 1) && ys.count(a.bottom + 1)) << describe(a);
    ASSERT_FALSE(xs.count(a.left) || xs.count(a.right) || ys.count(a.top) || ys.count(a.bottom)) << describe(a);
    const KeypadRect column = GridColumnStripRect<N>(cell % S, g);
    const KeypadRect row = GridRowStripRect<N>(cell / S, g);
    const bool covers = a.left <= column.right && column.left <= a.right && a.top <= row.bottom && row.top <= a.bottom;
    ASSERT_EQ(covers, coversItsCell) << describe(a);
    for (int i = 0; i < S + 3; ++i) {
      const KeypadRect b = pad->GetButtonRect(i, cell);
      ASSERT_TRUE(a.left <= b.left && b.left < b.right && b.right <= a.right) << i << " " << describe(b);
      ASSERT_TRUE(a.top <= b.top && b.top < b.bottom && b.bottom <= a.bottom) << i << " " << describe(b);
    }
  }
}

template <unsigned N>
void check_all_popups(const KeypadRect& g) {
  check_every_cell<N, keypad::KeypadRectangleTopology<N, 1>>(g, false);
  check_every_cell<N, keypad::KeypadRowColTopology<N, 0>>(g, false);
  check_every_cell<N, keypad::KeypadRowColTopology<N, 1>>(g, false);
  check_every_cell<N, keypad::KeypadRectangleTopology<N, 0>>(g, true);
}

TEST(KeypadPopups, InsideTheLinesAndNeverOverTheirCellForEveryCellAndSize) {
  // Cell sizes that are not whole, and a grid that does not start at 0.
  for (const KeypadRect& g : {KeypadRect{0, 0, 300, 300}, KeypadRect{7, 13, 479, 462}}) {
    SCOPED_TRACE(describe(g));
    check_all_popups<2>(g);
    check_all_popups<3>(g);
    check_all_popups<4>(g);
  }
}

TEST(KeypadTopologies, PropertiesByTypeAndTheUnknownType) {
  struct Case {
    std::uint32_t type;
    bool popup, rows, ok, frame, arrowsStay;
  } cases[] = {
      {0, false, false, false, false, false}, {1, false, false, false, false, false},
      {2, true, true, true, true, true},      {3, true, true, true, true, true},
      {4, true, false, true, true, true},     {5, true, false, true, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("type " + std::to_string(c.type));
    const auto t = keypad::MakeKeypadTopologies<3>(c.type);
    ASSERT_NE(t.value, t.candidate);
    for (const auto* pad : {t.value.get(), t.candidate.get()}) {
      EXPECT_EQ(pad->IsPopup(), c.popup);
      EXPECT_EQ(pad->HasButtonRows(), c.rows);
      EXPECT_EQ(pad->HasOkButton(), c.ok);
      EXPECT_TRUE(pad->HasSwitchButton());
      EXPECT_EQ(pad->HasFrame(), c.frame);
      EXPECT_EQ(pad->ArrowsStayInKeypad(), c.arrowsStay);
    }
    EXPECT_EQ(keypad::GridItemForTopologyType(c.type), c.type <= 1 ? 7 : 6);
  }
  // Type 0 puts the value keypad on the right, type 1 below.
  const auto zero = keypad::MakeKeypadTopologies<3>(0);
  const auto one = keypad::MakeKeypadTopologies<3>(1);
  EXPECT_NE(dynamic_cast<keypad::KeypadRightTopology<3>*>(zero.value.get()), nullptr);
  EXPECT_NE(dynamic_cast<keypad::KeypadBottomTopology<3>*>(one.value.get()), nullptr);
  EXPECT_NE(dynamic_cast<keypad::KeypadRightTopology<3>*>(one.candidate.get()), nullptr);
  try {
    keypad::MakeKeypadTopologies<3>(6);
    ADD_FAILURE() << "type 6 was accepted";
  } catch (const char* what) {
    EXPECT_STREQ(what, "No such type of Topology selected!");
  }
}

}  // namespace
