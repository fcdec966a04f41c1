// Guide-line marks on the small and the large grid, and values that no cell
// can show. The 9x9 cases live with the rest of the grid model's tests.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "game/grid/GridModel.h"

namespace {

struct Placed {
  std::uint32_t cell;
  bool given;  // a clue (solution) or the player's value
  std::uint8_t value;
};

template <unsigned N>
void Place(grid::GridModel<N>& model, const Placed& placed) {
  auto& cell = model.cells.at(placed.cell);
  if (placed.given) {
    cell.given = 1;
    cell.solution = placed.value;
  } else {
    cell.user = static_cast<std::int8_t>(placed.value);
  }
}

// The marks worked out from coordinates, whatever the box size.
template <unsigned N>
std::vector<std::uint32_t> ExpectedMarks(const std::vector<Placed>& placed, std::uint32_t value) {
  constexpr std::uint32_t S = N * N;
  std::vector<std::uint32_t> marks(S * S, 0);
  std::vector<std::uint32_t> showing;
  for (const Placed& p : placed)
    if (p.value == value) showing.push_back(p.cell);
  for (std::uint32_t cell = 0; cell < S * S; ++cell) {
    const std::uint32_t row = cell / S, column = cell % S;
    for (const std::uint32_t other : showing) {
      const std::uint32_t otherRow = other / S, otherColumn = other % S;
      const bool sameBox = row / N == otherRow / N && column / N == otherColumn / N;
      if (row == otherRow || sameBox) marks[cell] |= 1;
      if (column == otherColumn) marks[cell] |= 2;
    }
  }
  for (const std::uint32_t cell : showing) marks[cell] = 8;
  return marks;
}

template <unsigned N>
std::vector<std::uint32_t> Marks(const grid::GridModel<N>& model) {
  std::vector<std::uint32_t> marks;
  for (const auto& cell : model.cells) marks.push_back(cell.marks);
  return marks;
}

TEST(GridModelMarkGuideLines, BoxesOfTheSmallAndTheLargeGrid) {
  {
    // 4x4: a clue in the lower right box and a player's value in the upper
    // left one; boxes are 2x2.
    const std::vector<Placed> placed = {{2 + 3 * 4, true, 1}, {1 + 0 * 4, false, 1}, {0 + 2 * 4, true, 3}};
    grid::GridModel<2> model;
    for (const Placed& p : placed) Place(model, p);
    model.MarkGuideLines(1);
    EXPECT_EQ(Marks(model), ExpectedMarks<2>(placed, 1));
  }
  {
    // 16x16: values 9 and 15 (symbols 'A' and 'G') in boxes off the
    // diagonal; boxes are 4x4.
    const std::vector<Placed> placed = {{13 + 2 * 16, true, 15}, {6 + 11 * 16, false, 15}, {0 + 15 * 16, true, 9}};
    grid::GridModel<4> model;
    for (const Placed& p : placed) Place(model, p);
    model.MarkGuideLines(15);
    EXPECT_EQ(Marks(model), ExpectedMarks<4>(placed, 15));
    model.selected = 0 + 15 * 16;
    model.onTabClueDigits = 1;
    model.UpdateHighlights();
    EXPECT_EQ(Marks(model), ExpectedMarks<4>(placed, 9));
  }
}

TEST(GridModelMarkGuideLines, AValueNoCellCanShowMarksNothing) {
  // An empty cell (-1) and a clue whose solution is unknown (0xFF) show no
  // value, so asking for a value outside 0..S-1 finds no cell, however the
  // number is read.
  for (const std::uint32_t value : {9u, 0xFFu, 0xFFFFFFFFu, 0x80000000u, 0xFFFFFF80u}) {
    SCOPED_TRACE(value);
    grid::GridModel<3> model;
    model.cells[40].given = 1;  // solution still unknown
    model.cells[41].given = 1;
    model.cells[41].solution = 4;
    model.cells[42].user = 4;
    model.MarkGuideLines(value);
    EXPECT_EQ(Marks(model), std::vector<std::uint32_t>(81, 0));
  }
}

}  // namespace
