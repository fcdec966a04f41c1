// The plain label, the hint and the box label: what each paints, recorded
// call by call, and where their ink may go.

#include <gtest/gtest.h>

#include "notus/ownerdraw/box_label.h"
#include "notus/ownerdraw/hint.h"
#include "notus/ownerdraw/label.h"
#include "recorded_paint.h"
#include "tests/support/DrawnTexts.h"

namespace {

using namespace recorded_paint_test;
using notus::ownerdraw::box_label_view;
using notus::ownerdraw::hint_view;
using notus::ownerdraw::label_view;

constexpr std::uint32_t band_pixel = host_test::argb(255, 0xB1, 0xC0, 0x7C);

using LabelPaint = RecordedPaint;

TEST_F(LabelPaint, ALabelDrawsOnlyItsTextAndKeepsItInsideItsWindow) {
  label_view v;
  v.model().text = L"A label much wider than its window";
  place(v, {10, 10, 60, 30});
  // Too wide even at the smallest text that reads, it is drawn at that size.
  EXPECT_EQ(paint(), (calls{"draw_text(\"A label much wider than its window\", {0,0,50,20}, 4, 8)"}));

  // The paint pass clips one pixel wider than the window; the text may not
  // use that pixel.
  const RECT ink = host_test::ink_box(*buffer, host_test::kGrey);
  EXPECT_LT(ink.left, ink.right) << "the text is drawn";
  EXPECT_GE(ink.left, 10);
  EXPECT_GE(ink.top, 10);
  EXPECT_LE(ink.right, 60);
  EXPECT_LE(ink.bottom, 30);
}

TEST_F(LabelPaint, ATenPixelHintDrawsAnEightPixelBoxAndItsTextInTheMiddleFour) {
  hint_view v;
  v.model().text = L"Try the pairs";
  place(v, {20, 30, 30, 40});
  EXPECT_EQ(paint(), (calls{"fill_rounded_rect({1,1,9,9}, 5, 0x8CEFDE, 240)",
                            "frame_rounded_rect({1,1,9,9}, 5, 1, 0x185239, 255)",
                            "draw_text(\"Try the pairs\", {3,3,7,7}, 5, 8)"}));
}

// A title wider than the band is read whole: broken between words into
// lines that each fit, under one another, with the band grown to hold them.
TEST_F(LabelPaint, ABoxLabelBreaksATitleWiderThanItsBandIntoLinesTheBandHolds) {
  box_label_view v;
  v.model().text = L"Enter the name of the new player:";
  place(v, {0, 0, 120, 100});
  const calls recorded = paint();
  const std::vector<forms_test::DrawnText> lines = forms_test::DrawnTextsOf(recorded);
  ASSERT_GE(lines.size(), 2u);
  std::string joined;
  const int height = extent(L"").height;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_FALSE(forms_test::IsCut(lines[i])) << forms_test::Describe(lines[i]);
    EXPECT_EQ(lines[i].box.top, 3 + static_cast<int>(i) * height) << lines[i].text;
    joined += (i == 0 ? "" : " ") + lines[i].text;
  }
  EXPECT_EQ(joined, "Enter the name of the new player:");
  const std::string band = "{1,1,119," + std::to_string(1 + static_cast<int>(lines.size()) * height + 4) + "}";
  EXPECT_EQ(recorded[1], "fill_rounded_rect_radii(" + band + ", [5 5 5 5 0 0 0 0], 0x7CC0B1, 255)");
}

TEST_F(LabelPaint, ABoxLabelHasACaptionBandRoundedOnTopOnlyAndThePlainBoxBelowIt) {
  box_label_view v;
  v.model().text = L"Sound";
  place(v, {40, 20, 160, 100});
  const int band_bottom = 1 + extent(L"Sound").height + 4;
  const std::string band = "{1,1,119," + std::to_string(band_bottom) + "}";
  const std::string text = "{3,3,117," + std::to_string(band_bottom - 2) + "}";
  EXPECT_EQ(paint(),
            (calls{"fill_rounded_rect({1,1,119,79}, 5, 0x8CEFDE, 240)",
                   "fill_rounded_rect_radii(" + band + ", [5 5 5 5 0 0 0 0], 0x7CC0B1, 255)",
                   "frame_rounded_rect({1,1,119,79}, 5, 1, 0x185239, 255)", "draw_text(\"Sound\", " + text + ", 4)"}));

  // Right of the text the band is opaque; below it the light box shows.
  EXPECT_EQ(buffer->pixel(40 + 110, 20 + band_bottom / 2), band_pixel);
  const std::uint32_t below = buffer->pixel(40 + 60, 20 + band_bottom + 20);
  EXPECT_NE(below, band_pixel);
  EXPECT_NE(below, host_test::kGrey);
  EXPECT_EQ(below, buffer->pixel(40 + 60, 20 + 70)) << "one plain colour below the band";
}

}  // namespace
