// The grid painter's pixels, painted into a headless back buffer and probed
// inside the shapes each layer draws.

#include "forms/grid/GridPainter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "tests/support/folders.h"
#include "tests/support/host_fixture.h"

namespace {

using grid::Bitmap;
using grid::GridRect;
using host_test::argb;

constexpr std::uint32_t kBackground = argb(255, 0xEB, 0xEB, 0xFF);
constexpr std::uint32_t kBlack = argb(255, 0, 0, 0);

int R(std::uint32_t p) { return (p >> 16) & 0xFF; }
int G(std::uint32_t p) { return (p >> 8) & 0xFF; }
int B(std::uint32_t p) { return p & 0xFF; }

// What a rectangle of the back buffer holds besides `except`.
struct Ink {
  int pixels = 0;
  int red = 0, green = 0, blue = 0;  // sums
  int reddish = 0, greenish = 0, dark = 0;
};

template <unsigned N>
class Painter {
 public:
  grid::grid_main_strategy<N> strategy;
  grid::GridModel<N> model;

  Painter() {
    for (auto& cell : model.cells) cell.candidates.reset();
  }
  void Size(int w, int h, bool digits = true) {
    width = w;
    height = h;
    strategy.Resize(w, h, digits);
  }
  void Paint(bool focused = false) {
    host_test::app::resize_back_buffer(width + 10, height + 10);
    auto dev = notus::gdi::device<notus::traits>::create_for_dc(nullptr, nullptr, 0, 0);
    strategy.Paint(*dev, model, width, height, focused);
  }
  std::uint32_t At(int x, int y) const { return host_test::app::instance().back_buffer()->pixel(x, y); }
  const GridRect& Cell(int i) const { return strategy.cells()[i].rect; }
  Ink InkIn(const GridRect& r, std::uint32_t except = kBackground) const {
    Ink ink;
    for (int y = r.top; y <= r.bottom; ++y)
      for (int x = r.left; x <= r.right; ++x) {
        const std::uint32_t p = At(x, y);
        if (p == except) continue;
        ++ink.pixels;
        ink.red += R(p);
        ink.green += G(p);
        ink.blue += B(p);
        if (R(p) > G(p) + 60 && R(p) > B(p) + 60) ++ink.reddish;
        if (G(p) > R(p) + 60 && G(p) > B(p) + 60) ++ink.greenish;
        if (R(p) + G(p) + B(p) < 200) ++ink.dark;
      }
    return ink;
  }
  // Sub-cell d of cell i, inside the cell.
  GridRect Sub(int i, int d) const {
    const auto& c = strategy.cells()[i];
    return {c.x[d % N] + 1, c.y[d / N] + 1, c.x[d % N + 1] - 1, c.y[d / N + 1] - 1};
  }
  int width = 0, height = 0;
};

class GridPainterTest : public host_test::HostTest {
 protected:
  grid_test::Folders folders{{"titular_digits.dat"}};
};

TEST_F(GridPainterTest, BackgroundAndLinesNineByNine) {
  Painter<3> p;
  p.model.selected = 80;
  p.Size(300, 300);
  p.Paint();
  for (int at : {0, 33, 66, 99, 100, 133, 199, 200, 299}) {
    SCOPED_TRACE(at);
    EXPECT_EQ(p.At(at, 150), kBlack);
    EXPECT_EQ(p.At(150, at), kBlack);
  }
  for (int at : {1, 32, 34, 98, 101, 201, 298}) {
    SCOPED_TRACE(at);
    EXPECT_EQ(p.At(at, 16), kBackground);
  }
  // Nothing beyond the view's rectangle.
  EXPECT_NE(p.At(300, 150), kBlack);
}

template <unsigned N>
void ExpectShading(int size, const std::vector<int>& shaded) {
  SCOPED_TRACE(N);
  Painter<N> p;
  p.model.gridPaintType = 1;
  p.Size(size, size);
  p.Paint();
  constexpr int S = N * N;
  for (int b = 0; b < S; ++b) {
    const GridRect box = grid::box_origin_rect<N>(b, GridRect{0, 0, size, size});
    const bool expected = std::find(shaded.begin(), shaded.end(), b) != shaded.end();
    EXPECT_EQ(p.At(box.left + 2, box.top + 2), expected ? argb(255, 0xD8, 0xD8, 0xFF) : kBackground) << "box " << b;
  }
  p.model.gridPaintType = 0;
  p.Paint();
  const GridRect box1 = grid::box_origin_rect<N>(1, GridRect{0, 0, size, size});
  EXPECT_EQ(p.At(box1.left + 2, box1.top + 2), kBackground);
}

TEST_F(GridPainterTest, ShadedBoxesPerBoxSize) {
  ExpectShading<2>(200, {1, 2});
  ExpectShading<3>(300, {1, 3, 5, 7});
  ExpectShading<4>(468, {1, 3, 4, 6, 9, 11, 12, 14});
}

TEST_F(GridPainterTest, SelectionFrameFollowsTheFocus) {
  Painter<3> p;
  p.model.selected = 40;
  p.Size(300, 300);
  const GridRect c = p.Cell(40);
  p.Paint(true);
  EXPECT_EQ(p.At(c.left, c.top + 10), argb(255, 0xFF, 0, 0));
  EXPECT_EQ(p.At(c.right, c.bottom), argb(255, 0xFF, 0, 0));
  EXPECT_EQ(p.At(c.left + 1, c.top + 10), kBackground);
  p.Paint(false);
  EXPECT_EQ(p.At(c.left, c.top + 10), argb(255, 0xFF, 0xC8, 0xC8));
}

TEST_F(GridPainterTest, GuideStripsDarkenRowAndColumnTheSelectedCellTwice) {
  Painter<3> p;
  p.model.selected = 40;
  p.model.showGuideLines = 1;
  p.Size(300, 300);
  p.Paint(true);
  const GridRect c = p.Cell(40);
  const std::uint32_t inRow = p.At(16, c.top + 10);
  const std::uint32_t inColumn = p.At(c.left + 10, 16);
  const std::uint32_t inCell = p.At(c.left + 10, c.top + 10);
  EXPECT_EQ(inRow, inColumn);
  EXPECT_LT(B(inRow), 0xFF - 20);
  EXPECT_LT(B(inCell), B(inRow) - 20);
  // No frame: the cell's edge is as dark as its inside.
  EXPECT_EQ(p.At(c.left, c.top + 10), inCell);
  EXPECT_EQ(p.At(16, 16), kBackground);
}

TEST_F(GridPainterTest, HintFillsAndFrames) {
  Painter<3> p;
  p.model.selected = 80;
  CHintInfo hint;
  hint.SetPatternId(1);
  hint.AddItem(kHintEffect, 1, 10, 0);  // row 1
  hint.AddItem(kHintCause, 3, 57, 0);   // box 7
  hint.AddItem(kHintCause, 2, 24, 0);   // column 6
  p.model.ShowHint(hint);
  p.Size(300, 300);
  p.Paint();
  const GridRect c10 = p.Cell(10), c57 = p.Cell(57);
  EXPECT_EQ(p.At(c10.left + 10, c10.top + 10), argb(255, 0xFF, 0xE0, 0xEF));
  EXPECT_EQ(p.At(c57.left + 10, c57.top + 10), argb(255, 0xFF, 0xFD, 0xE6));
  const GridRect row = grid::GridRowStripRect<3>(1, GridRect{0, 0, 300, 300});
  EXPECT_EQ(p.At(row.left + 50, row.top), argb(255, 0xFF, 0x62, 0x62));
  EXPECT_EQ(p.At(row.right, row.top + 5), argb(255, 0xFF, 0x62, 0x62));
  const GridRect box = grid::box_origin_rect<3>(7, GridRect{0, 0, 300, 300});
  EXPECT_EQ(p.At(box.left, box.top + 50), argb(255, 0xFF, 0xFF, 0));
  const GridRect column = grid::GridColumnStripRect<3>(6, GridRect{0, 0, 300, 300});
  EXPECT_EQ(p.At(column.left, column.top + 50), argb(255, 0xFF, 0xFF, 0));
  // Pattern 16 is no hint: nothing of it is drawn.
  p.model.hint.SetPatternId(16);
  p.Paint();
  EXPECT_EQ(p.At(c10.left + 10, c10.top + 10), kBackground);
  EXPECT_EQ(p.At(row.left + 50, row.top), kBackground);
}

TEST_F(GridPainterTest, MarksGiveACrossOrAFill) {
  Painter<3> p;
  p.model.selected = 80;
  p.model.onTabClueDigits = 1;
  p.model.cells[0].marks = grid::kRowOrBoxMark | grid::kColumnMark;
  p.model.cells[1].marks = grid::kShowsValueMark;
  p.model.cells[2].marks = grid::kUnrelatedMark;
  p.Size(300, 300);
  p.Paint();
  const GridRect c0 = p.Cell(0), c1 = p.Cell(1), c2 = p.Cell(2);
  const int midY = c0.top + (c0.bottom - c0.top) / 2, midX = c0.left + (c0.right - c0.left) / 2;
  const std::uint32_t red = argb(255, 0xFF, 0, 0);
  EXPECT_EQ(p.At(c0.left + 2, midY), red);
  EXPECT_EQ(p.At(c0.left + 2, midY + 1), red);
  EXPECT_EQ(p.At(midX + 1, c0.top + 2), red);
  EXPECT_EQ(p.At(c0.left + 2, c0.top + 2), kBackground);
  const int mid1 = c1.top + (c1.bottom - c1.top) / 2;
  EXPECT_EQ(p.At(c1.left + 2, mid1), argb(255, 0xC8, 0xC8, 0xC8));
  EXPECT_EQ(p.At(c2.left + 2, c2.top + 2), kBackground);  // mode 1 has no free-cell fill
  // Mode 2: free cells are green and marks draw no bars.
  p.model.onTabClueDigits = 2;
  p.Paint();
  EXPECT_EQ(p.At(c2.left + 2, c2.top + 2), argb(255, 0xC3, 0xF6, 0xC7));
  EXPECT_EQ(p.At(c0.left + 2, midY), kBackground);
  EXPECT_EQ(p.At(c1.left + 2, mid1), kBackground);
}

TEST_F(GridPainterTest, CandidateColoursByPriority) {
  Painter<3> p;
  p.model.selected = 80;
  p.model.cells[0].candidates = 0b1011;  // 0, 1, 3; 2 is missing
  p.model.causeMasks[0] = 0b0001;
  p.model.effectMasks[0] = 0b0101;  // 0 is named by both: the cause wins
  p.Size(600, 600);
  p.Paint();
  const Ink d0 = p.InkIn(p.Sub(0, 0)), d1 = p.InkIn(p.Sub(0, 1)), d2 = p.InkIn(p.Sub(0, 2)), d3 = p.InkIn(p.Sub(0, 3)),
            d4 = p.InkIn(p.Sub(0, 4));
  EXPECT_GT(d0.greenish, 5);
  EXPECT_EQ(d0.reddish, 0);
  EXPECT_GT(d1.dark, 5);
  EXPECT_EQ(d1.reddish + d1.greenish, 0);
  EXPECT_GT(d2.reddish, 5);  // named by the hint although not a candidate
  EXPECT_GT(d3.dark, 5);
  EXPECT_EQ(d4.pixels, 0);
}

TEST_F(GridPainterTest, AGivenCellShowsNoCandidates) {
  Painter<3> p;
  p.model.selected = 80;
  p.model.cells[0].given = 1;
  p.model.cells[0].solution = 4;
  p.Size(300, 300);
  p.Paint();
  const Ink withoutCandidates = p.InkIn(p.Cell(0));
  EXPECT_GT(withoutCandidates.pixels, 20);
  p.model.cells[0].candidates.set();
  p.model.causeMasks[0] = 0x1FF;
  p.Paint();
  const Ink withCandidates = p.InkIn(p.Cell(0));
  EXPECT_EQ(withCandidates.pixels, withoutCandidates.pixels);
  EXPECT_EQ(withCandidates.green, withoutCandidates.green);
}

TEST_F(GridPainterTest, MistakesAreRedWhenFlagged) {
  Painter<3> p;
  p.model.selected = 80;
  p.model.cells[0].user = 3;
  p.model.cells[0].solution = 5;
  p.model.cells[1].user = 3;
  p.model.cells[1].solution = 3;
  p.model.cells[2].user = 3;  // solution unknown, but the row holds 3 twice
  p.Size(300, 300);
  p.Paint();
  const Ink unflagged = p.InkIn(p.Cell(0));
  EXPECT_GT(unflagged.pixels, 20);
  EXPECT_GT(unflagged.blue, unflagged.red);
  p.model.flagMistakes = 1;
  p.Paint();
  const Ink wrong = p.InkIn(p.Cell(0)), right = p.InkIn(p.Cell(1)), unknown = p.InkIn(p.Cell(2));
  EXPECT_GT(wrong.red, wrong.blue);
  EXPECT_GT(right.blue, right.red);
  EXPECT_GT(unknown.red, unknown.blue);
}

// A puzzle of the player's own: no solution, so only the two values that
// share a row and box are flagged, and the one beside them is not.
TEST_F(GridPainterTest, WithoutASolutionOnlyClashingValuesAreRed) {
  Painter<3> p;
  p.model.selected = 80;
  p.model.flagMistakes = 1;
  p.model.cells[0].user = 0;
  p.model.cells[1].user = 0;
  p.model.cells[2].user = 1;
  p.Size(300, 300);
  p.Paint();
  for (int cell : {0, 1}) {
    const Ink ink = p.InkIn(p.Cell(cell));
    EXPECT_GT(ink.red, ink.blue) << "cell " << cell;
  }
  const Ink other = p.InkIn(p.Cell(2));
  EXPECT_GT(other.pixels, 20);
  EXPECT_GT(other.blue, other.red);
}

TEST_F(GridPainterTest, ValuesOutsideTheGridDrawNothing) {
  Painter<3> p;
  p.model.selected = 80;
  p.model.cells[0].given = 1;
  p.model.cells[0].solution = 255;
  p.model.cells[1].user = 9;
  p.Size(300, 300);
  p.Paint();
  EXPECT_EQ(p.InkIn(p.Cell(0)).pixels, 0);
  EXPECT_EQ(p.InkIn(p.Cell(1)).pixels, 0);
}

TEST_F(GridPainterTest, SmallSubCellsGetSquaresLargeOnesFourteenPixelText) {
  Painter<3> small;
  small.Size(159, 159);  // sub-cells 5 pixels high
  const Bitmap& square = small.strategy.image(grid::grid_main_strategy<3>::kEffectCandidates, 0);
  ASSERT_EQ(square.height(), 5);
  EXPECT_EQ(square.pixel(0, 0), 0u);
  EXPECT_EQ(square.pixel(1, 1), argb(255, 0xFF, 0, 0));
  EXPECT_EQ(square.pixel(square.width() - 1, 4), argb(255, 0xFF, 0, 0));

  Painter<3> large;
  large.Size(600, 600);  // sub-cells 21 pixels high
  for (unsigned value : {0u, 6u, 8u}) {
    const Bitmap& text = large.strategy.image(grid::grid_main_strategy<3>::kCandidates, value);
    ASSERT_GT(text.height(), 16);
    int top = text.height(), bottom = -1;
    for (int y = 0; y < text.height(); ++y)
      for (int x = 0; x < text.width(); ++x)
        if (text.pixel(x, y) >> 24) {
          top = std::min(top, y);
          bottom = std::max(bottom, y);
        }
    ASSERT_GE(bottom, 0) << value;
    const int baseline = text.height() / 2 + 7;
    // 14 pixels up from the baseline, plus the stroke's half width either side.
    EXPECT_GE(top, baseline - 14 - 1) << value;
    EXPECT_LE(bottom, baseline + 1) << value;
    EXPECT_GE(bottom - top, 10) << value;
  }
}

TEST_F(GridPainterTest, LetterModeDrawsOtherImages) {
  Painter<3> p;
  p.Size(300, 300, true);
  const Bitmap digitOne = p.strategy.image(grid::grid_main_strategy<3>::kUserValues, 0);
  const Bitmap candidateOne = p.strategy.image(grid::grid_main_strategy<3>::kCandidates, 0);
  p.Size(300, 300, false);
  const Bitmap& letterA = p.strategy.image(grid::grid_main_strategy<3>::kUserValues, 0);
  const Bitmap& candidateA = p.strategy.image(grid::grid_main_strategy<3>::kCandidates, 0);
  auto differ = [](const Bitmap& a, const Bitmap& b) {
    for (int y = 0; y < a.height(); ++y)
      for (int x = 0; x < a.width(); ++x)
        if (a.pixel(x, y) != b.pixel(x, y)) return true;
    return false;
  };
  EXPECT_TRUE(differ(digitOne, letterA));
  EXPECT_TRUE(differ(candidateOne, candidateA));
}

class NoDrawings : public host_test::HostTest {
 protected:
  grid_test::Folders folders{{}};
};

TEST_F(NoDrawings, AMissingFileLeavesValuesUndrawn) {
  Painter<3> p;
  p.model.selected = 80;
  p.model.cells[0].user = 3;
  p.model.cells[1].given = 1;
  p.model.cells[1].solution = 2;
  p.Size(300, 300);
  p.Paint();
  EXPECT_EQ(p.InkIn(p.Cell(0)).pixels, 0);
  EXPECT_EQ(p.InkIn(p.Cell(1)).pixels, 0);
  // Too few drawings for a 16x16 grid count as none.
  std::string few = "<svg>";
  for (int i = 0; i < 15; ++i) few += "<g fill=\"#000000\"><path d=\"M4,4 L24,4 L24,24 L4,24 Z\"/></g>";
  folders.Write("titular_digits.dat", few + "</svg>");
  Painter<4> big;
  big.Size(468, 468);
  EXPECT_TRUE(big.strategy.image(grid::grid_main_strategy<4>::kGivenValues, 0).empty());
  // Enough for a 9x9 grid.
  p.Size(300, 300);
  EXPECT_FALSE(p.strategy.image(grid::grid_main_strategy<3>::kGivenValues, 8).empty());
}

TEST_F(GridPainterTest, ZeroAndTinySizesBuildNoImagesAndPaintSafely) {
  for (int size : {0, 5, 12, 13, 20}) {
    SCOPED_TRACE(size);
    Painter<3> p;
    p.model.cells[0].user = 3;
    p.model.cells[1].candidates.set();
    p.model.cells[2].given = 1;
    p.model.cells[2].solution = 1;
    p.model.showGuideLines = 1;
    p.Size(size, size);
    if (size < 12 + 9) {
      EXPECT_TRUE(p.strategy.image(grid::grid_main_strategy<3>::kUserValues, 3).empty());
    }
    if (size <= 13) {
      EXPECT_TRUE(p.strategy.image(grid::grid_main_strategy<3>::kCandidates, 0).empty());
    }
    p.Paint(true);
  }
  Painter<4> p;
  p.Size(-5, 100);
  p.Paint();
}

}  // namespace

namespace {

// The owned image blends with each pixel's own alpha, at the device's origin
// plus the position, and only inside the target's clip box.
TEST_F(GridPainterTest, OwnedImagesBlendPerPixelInsideTheClipBox) {
  auto& buffer = back_buffer(40, 20);
  buffer.fill_bytes(0xFF);  // opaque white
  Bitmap image;
  image.create(4, 1);
  image.renderer().blend_bar(0, 0, 0, 0, agg::rgba8(255, 0, 0, 255), agg::cover_full);  // opaque red
  image.renderer().blend_bar(1, 0, 1, 0, agg::rgba8(0, 0, 0, 128), agg::cover_full);    // half black
  buffer.set_clip_rect(RECT{0, 0, 12, 20});
  auto dev = notus::gdi::device<notus::traits>::create_for_dc(nullptr, nullptr, 5, 3);
  dev->blend_bitmap(image, {4, 2});
  EXPECT_EQ(buffer.pixel(9, 5), argb(255, 255, 0, 0));
  EXPECT_NEAR(R(buffer.pixel(10, 5)), 127, 2);
  EXPECT_EQ(buffer.pixel(11, 5), argb(255, 255, 255, 255));  // transparent leaves it
  EXPECT_EQ(buffer.pixel(9, 4), argb(255, 255, 255, 255));
  // Outside the clip box nothing changes.
  image.renderer().blend_bar(0, 0, 3, 0, agg::rgba8(0, 0, 255, 255), agg::cover_full);
  dev->blend_bitmap(image, {4, 6});
  EXPECT_EQ(buffer.pixel(11, 9), argb(255, 0, 0, 255));
  EXPECT_EQ(buffer.pixel(12, 9), argb(255, 255, 255, 255));
  // An image without pixels draws nothing.
  Bitmap none;
  none.create(0, 5);
  EXPECT_TRUE(none.empty());
  dev->blend_bitmap(none, {0, 0});
}

}  // namespace
