// The clock button: its time as the game counts it, its two glyphs, and the
// repaint it asks for while it shows the time.

#include "notus/ownerdraw/clock.h"

#include <cstdio>
#include <string>

#include "tests/support/widget_fixture.h"

namespace {

using namespace widget_test;
using clock_view::clock_button_view;

// "HH:MM:SS", as the application's formatter writes it.
std::wstring hh_mm_ss(std::uint32_t seconds) {
  wchar_t text[32];
  std::swprintf(text, 32, L"%02u:%02u:%02u", seconds / 3600, seconds % 3600 / 60, seconds % 60);
  return text;
}

class Clock : public WidgetTest {
 protected:
  void SetUp() override {
    WidgetTest::SetUp();
    winapi::headless::SetTickCount(5'000'000);
    notus::ownerdraw::set_time_formatter(hh_mm_ss);
    clock = std::make_unique<clock_button_view>();
    place(*clock, {0, 0, 100, 20});
    auto& m = clock->model();
    m.hidden_glyph = 118;
    m.shown_glyph = 119;
  }
  void TearDown() override {
    clock.reset();
    WidgetTest::TearDown();
  }

  calls texts() { return only(paint(), "draw_text"); }

  std::unique_ptr<clock_button_view> clock;
};

TEST_F(Clock, PausedItShowsTheAccumulatedTimeAndStays) {
  auto& m = clock->model();
  EXPECT_EQ(m.m_start, 5000u);
  m.shown = true;
  m.m_paused = 1;
  m.m_accumulated = 3725;
  EXPECT_EQ(texts(), calls{"draw_text(\"01:02:05\", {20,0,100,20}, 4)"});
  winapi::headless::AdvanceTickCount(7'000);
  EXPECT_EQ(texts(), calls{"draw_text(\"01:02:05\", {20,0,100,20}, 4)"});
}

TEST_F(Clock, RunningItFollowsTheTickCount) {
  auto& m = clock->model();
  m.shown = true;
  m.m_accumulated = 100;
  EXPECT_EQ(texts(), calls{"draw_text(\"00:01:40\", {20,0,100,20}, 4)"});
  winapi::headless::AdvanceTickCount(61'999);
  EXPECT_EQ(texts(), calls{"draw_text(\"00:02:41\", {20,0,100,20}, 4)"});
  winapi::headless::AdvanceTickCount(3'600'001);
  EXPECT_EQ(texts(), calls{"draw_text(\"01:02:42\", {20,0,100,20}, 4)"});
}

// The glyph stays h x h in a wide button: at the left with the time beside
// it, or centred alone.
TEST_F(Clock, TwoClicksRestoreTheCentredGlyph) {
  EXPECT_EQ(paint(), calls{"glyph(118, 20x20, (40,0))"});
  click(50, 10);
  EXPECT_TRUE(clock->model().shown);
  EXPECT_EQ(paint(), (calls{
                         "glyph(119, 20x20, (0,0))",
                         "draw_text(\"00:00:00\", {20,0,100,20}, 4)",
                         "frame_rounded_rect({1,1,99,19}, 5, 1, 0x009BFF, 255)",
                     }));
  click(50, 10);
  EXPECT_FALSE(clock->model().shown);
  EXPECT_EQ(paint(), (calls{"glyph(118, 20x20, (40,0))", "frame_rounded_rect({1,1,99,19}, 5, 1, 0x009BFF, 255)"}));
  key_down(codes::enter);
  EXPECT_TRUE(clock->model().shown);
}

TEST_F(Clock, DirtyAgainAfterAPaintOnlyWhileShown) {
  paint();
  EXPECT_FALSE(dirty(*clock));
  clock->model().shown = true;
  window_ops::invalidate(clock->display().handle());
  for (int tick = 0; tick < 3; ++tick) {
    paint();
    EXPECT_TRUE(dirty(*clock));
  }
  // Without a formatter there is no time to show, nor to keep running.
  notus::ownerdraw::set_time_formatter(nullptr);
  EXPECT_EQ(paint(), calls{"glyph(119, 20x20, (0,0))"});
  EXPECT_FALSE(dirty(*clock));
}

}  // namespace
