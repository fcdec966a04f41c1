#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "forms/grid/GridGeometry.h"
#include "forms/grid/GridLayoutReport.h"
#include "tests/support/folders.h"

namespace {

using grid::CellLayout;
using grid::GridRect;

bool Same(const GridRect& a, const GridRect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
#define EXPECT_RECT(actual, l, t, r, b) EXPECT_PRED2(Same, actual, (GridRect{l, t, r, b}))

TEST(GridGeometry, LineWidthsAndTotals) {
  EXPECT_EQ(grid::GridGeometry<2>::L, 6);
  EXPECT_EQ(grid::GridGeometry<3>::L, 12);
  EXPECT_EQ(grid::GridGeometry<4>::L, 20);
  std::vector<int> widths;
  for (int i = 0; i <= 9; ++i) widths.push_back(grid::GridLineWidth<3>(i));
  EXPECT_EQ(widths, (std::vector<int>{1, 1, 1, 2, 1, 1, 2, 1, 1, 1}));
  // The sum of the widths is L for every N.
  int sum2 = 0, sum4 = 0;
  for (int i = 0; i <= 4; ++i) sum2 += grid::GridLineWidth<2>(i);
  for (int i = 0; i <= 16; ++i) sum4 += grid::GridLineWidth<4>(i);
  EXPECT_EQ(sum2, 6);
  EXPECT_EQ(sum4, 20);
}

// A 300 x 300 view of a 9x9 grid: cells of exactly 32 pixels.
TEST(GridGeometry, WorkedExampleNineByNine) {
  std::vector<int> rows(10), columns(10);
  std::vector<CellLayout<3>> cells(81);
  grid::LayoutCells<3>(32.0, 32.0, rows, columns, cells);
  EXPECT_EQ(rows, (std::vector<int>{0, 33, 66, 99, 133, 166, 199, 233, 266, 299}));
  EXPECT_EQ(columns, rows);
  struct Case {
    int cell;
    GridRect rect;
  };
  for (const Case& c : {Case{0, {1, 1, 32, 32}}, Case{3, {101, 1, 132, 32}}, Case{80, {267, 267, 298, 298}},
                        Case{9 * 3 + 6, {201, 101, 232, 132}}}) {
    SCOPED_TRACE(c.cell);
    EXPECT_PRED2(Same, cells[c.cell].rect, c.rect);
  }
  EXPECT_EQ((std::array<int, 4>{cells[80].x[0], cells[80].x[1], cells[80].x[2], cells[80].x[3]}),
            (std::array<int, 4>{267, 277, 287, 298}));
  EXPECT_EQ(cells[80].y[1], 277);
}

// Cells of 28.9 pixels: truncation makes neighbours differ by one pixel, and
// the last line lands at (int)(S * z) + L - 1.
TEST(GridGeometry, CellSizeThatIsNotWhole) {
  struct Case {
    double z;
    int last;
  };
  for (const Case& c : {Case{28.9, 260 + 11}, Case{25.55, 229 + 11}, Case{0.5, 4 + 11}}) {
    SCOPED_TRACE(c.z);
    std::vector<int> rows(10), columns(10);
    std::vector<CellLayout<3>> cells(81);
    grid::LayoutCells<3>(c.z, c.z, rows, columns, cells);
    EXPECT_EQ(rows[9], c.last);
  }
  std::vector<int> rows(10), columns(10);
  std::vector<CellLayout<3>> cells(81);
  grid::LayoutCells<3>(28.9, 28.9, rows, columns, cells);
  // Lines 1 and 2 at 29 and 59: cells 28 then 29 pixels wide.
  EXPECT_EQ(columns[1], 29);
  EXPECT_EQ(columns[2], 59);
  EXPECT_EQ(cells[0].rect.right - cells[0].rect.left, 27);
  EXPECT_EQ(cells[1].rect.right - cells[1].rect.left, 28);
}

TEST(GridGeometry, BlocksBoxesAndStrips) {
  const GridRect g{0, 0, 300, 300};
  // The block clamp: a first column or row beyond S - N gives the last block.
  EXPECT_RECT(grid::GridBlockRect<3>(0, 0, g), 1, 1, 98, 98);
  EXPECT_RECT(grid::GridBlockRect<3>(8, 7, g), 201, 201, 298, 298);
  EXPECT_RECT(grid::GridBlockRect<3>(4, 0, g), 134, 1, 232, 98);
  // Boxes row by row: box 5 is the third of the middle row.
  EXPECT_RECT(grid::box_origin_rect<3>(5, g), 201, 101, 298, 198);
  EXPECT_RECT(grid::box_origin_rect<3>(1, g), 101, 1, 198, 98);
  EXPECT_RECT(grid::box_origin_rect<2>(3, GridRect{0, 0, 86, 86}), 44, 44, 84, 84);
  // Strips span the grid between the outer lines; the index is clamped.
  EXPECT_RECT(grid::GridRowStripRect<3>(3, g), 1, 101, 298, 132);
  EXPECT_RECT(grid::GridRowStripRect<3>(20, g), 1, 267, 298, 298);
  EXPECT_RECT(grid::GridColumnStripRect<3>(6, g), 201, 1, 232, 298);
  // A grid rectangle that does not start at 0 shifts everything.
  EXPECT_RECT(grid::GridColumnStripRect<3>(0, (GridRect{20, 10, 320, 310})), 21, 11, 52, 308);
  EXPECT_RECT(grid::box_origin_rect<4>(15, (GridRect{0, 0, 468, 468})), 352, 352, 466, 466);
}

TEST(GridLayoutReport, ReportsTheGridFirstAndSkipsAnEmptyCallback) {
  grid_test::Folders folders({"resources.dat"});
  ASSERT_TRUE(folders.LoadLayouts());

  grid::LayoutCallback empty;
  EXPECT_NO_THROW(grid::ReportGridLayout(GridRect{5, 6, 7, 8}, empty));

  GridRect seenGrid{}, seenOuter{};
  int calls = 0;
  grid::LayoutCallback callback([&](GridRect gridRect, GridRect outer) {
    seenGrid = gridRect;
    seenOuter = outer;
    ++calls;
  });
  grid::ReportGridLayout(GridRect{6, 10, 474, 478}, callback);
  EXPECT_EQ(calls, 1);
  EXPECT_RECT(seenGrid, 6, 10, 474, 478);
  // The main window down to the top of the first tab.
  EXPECT_RECT(seenOuter, 0, 0, 480, 596);
}

TEST(GridLayoutReport, WithoutTheFormLayoutsACallbackCannotBeServed) {
  grid_test::Folders folders({});
  grid::LayoutCallback callback([](GridRect, GridRect) {});
  EXPECT_THROW(grid::ReportGridLayout(GridRect{}, callback), std::invalid_argument);
}

}  // namespace
