#include "tests/support/host_fixture.h"
#include "tests/support/paint_probe.h"

#include "notus/platform/ownerdrawWin32/paint_timer.h"
#include "notus/platform/ownerdrawWin32/virtual_window_controller.h"

namespace host_test {
namespace {

using notus::impl::details::add_invalid_rect;
using notus::impl::details::invalid_rect;
using notus::impl::details::virtual_window_controller;
using strings = std::vector<std::string>;

constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr std::uint32_t kBluePixel = argb(255, 0, 0, 255);
constexpr std::uint32_t kRedPixel = argb(255, 255, 0, 0);

::testing::AssertionResult IsRect(const RECT& a, LONG l, LONG t, LONG r, LONG b) {
  if (a.left == l && a.top == t && a.right == r && a.bottom == b) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "{" << a.left << "," << a.top << "," << a.right << "," << a.bottom << "}";
}

class PaintPassTest : public HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    buffer = &back_buffer(120, 100);
  }
  RECT paint(HDC dc = nullptr) { return controller.paint(*buffer, dc); }

  virtual_window_controller controller;
  GDIBuffer* buffer = nullptr;
  std::vector<paint_record> log;
};

TEST_F(PaintPassTest, NothingDirtyPaintsNothing) {
  painted_window a("a", log, kRed, RECT{10, 10, 30, 30});
  paint();
  log.clear();
  EXPECT_TRUE(IsRect(paint(), 0, 0, 0, 0));
  EXPECT_TRUE(log.empty());
}

TEST_F(PaintPassTest, APaintEventCarriesTheWindowsOriginAndOwnSizeAndTheDc) {
  painted_window a("a", log, kRed, RECT{10, 20, 40, 30});
  const HDC dc = reinterpret_cast<HDC>(0x1234);
  EXPECT_TRUE(IsRect(paint(dc), 10, 20, 41, 31));
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].dc, dc);
  EXPECT_EQ(log[0].origin_x, 10);
  EXPECT_EQ(log[0].origin_y, 20);
  EXPECT_TRUE(IsRect(log[0].client, 0, 0, 30, 10));
  EXPECT_FALSE(a.dirty());
  // fill_rect includes the right and bottom edges: the +1 of the area.
  EXPECT_EQ(buffer->pixel(40, 30), kRedPixel);
  EXPECT_EQ(buffer->pixel(41, 31), kGrey);
}

TEST_F(PaintPassTest, AMovedWindowRepaintsBothPlaces) {
  painted_window under("under", log, kBlue, RECT{0, 0, 60, 60}, 10);
  painted_window moved("moved", log, kRed, RECT{10, 10, 30, 30}, 0);
  paint();
  log.clear();

  moved.move(70, 50);
  EXPECT_TRUE(IsRect(paint(), 10, 10, 91, 71));
  EXPECT_EQ(names(log), (strings{"under", "moved"}));
  EXPECT_EQ(buffer->pixel(20, 20), kBluePixel);  // the old place shows what lies below
  EXPECT_EQ(buffer->pixel(80, 60), kRedPixel);
}

TEST_F(PaintPassTest, LaterInPaintOrderCoversAndOnlyTheAreaIsRedrawn) {
  painted_window back("back", log, kBlue, RECT{0, 0, 40, 40}, 5);
  painted_window front("front", log, kRed, RECT{20, 20, 60, 60}, -5);
  painted_window apart("apart", log, kBlue, RECT{90, 90, 100, 100}, 0);
  EXPECT_TRUE(IsRect(paint(), 0, 0, 101, 101));
  EXPECT_EQ(names(log), (strings{"back", "apart", "front"}));
  EXPECT_EQ(buffer->pixel(30, 30), kRedPixel);
  EXPECT_EQ(buffer->pixel(10, 10), kBluePixel);

  // Only the back window is dirty: the front one is painted again because
  // it meets the area, but only within it.
  buffer->fill_bytes(225);
  log.clear();
  back.set_dirty(true);
  EXPECT_TRUE(IsRect(paint(), 0, 0, 41, 41));
  EXPECT_EQ(names(log), (strings{"back", "front"}));
  EXPECT_EQ(buffer->pixel(30, 30), kRedPixel);
  EXPECT_EQ(buffer->pixel(40, 40), kRedPixel);
  EXPECT_EQ(buffer->pixel(41, 41), kGrey);
  EXPECT_EQ(buffer->pixel(95, 95), kGrey);
  // The clip box is the whole buffer again.
  EXPECT_TRUE(IsRect(buffer->clip_rect(), 0, 0, 120, 100));
}

// A hidden window that is dirty costs nothing while it stays hidden, and is
// painted once it is shown.
TEST_F(PaintPassTest, AHiddenDirtyWindowWaitsUntilItIsShown) {
  painted_window shown("shown", log, kRed, RECT{0, 0, 10, 10});
  painted_window hidden("hidden", log, kBlue, RECT{50, 50, 60, 60});
  hidden.hide();
  paint();
  hidden.set_dirty(true);
  for (int tick = 0; tick < 2; ++tick) {
    log.clear();
    EXPECT_TRUE(IsRect(paint(), 0, 0, 0, 0)) << "tick " << tick;
    EXPECT_TRUE(hidden.dirty());
    EXPECT_TRUE(log.empty());
  }
  hidden.show();
  EXPECT_TRUE(IsRect(paint(), 50, 50, 61, 61));
  EXPECT_EQ(names(log), (strings{"hidden"}));
  EXPECT_FALSE(hidden.dirty());
}

TEST_F(PaintPassTest, AfterAResizeTheWholeGreyAreaIsRepainted) {
  painted_window a("a", log, kRed, RECT{0, 0, 10, 10});
  painted_window b("b", log, kBlue, RECT{100, 70, 110, 80});
  paint();
  log.clear();

  // What the main window's WM_SIZE does.
  app::resize_back_buffer(150, 90);
  buffer = app::instance().back_buffer().get();
  EXPECT_EQ(ink_box(*buffer, kGrey).right, 0);
  add_invalid_rect(RECT{0, 0, 150, 90});
  EXPECT_TRUE(IsRect(paint(), 0, 0, 151, 91));
  EXPECT_EQ(names(log), (strings{"a", "b"}));
  EXPECT_TRUE(IsRect(invalid_rect(), 0, 0, 0, 0));
  EXPECT_EQ(buffer->pixel(5, 5), kRedPixel);
  EXPECT_EQ(buffer->pixel(50, 50), kGrey);
}

TEST_F(PaintPassTest, WithoutWindowsTheInvalidAreaIsReturnedAndCleared) {
  add_invalid_rect(RECT{5, 5, 20, 20});
  EXPECT_TRUE(IsRect(paint(), 5, 5, 20, 20));
  EXPECT_TRUE(IsRect(invalid_rect(), 0, 0, 0, 0));
}

class PaintTimerTest : public PaintPassTest {
 protected:
  void SetUp() override {
    PaintPassTest::SetUp();
    WNDCLASSW wc{};
    wc.lpfnWndProc = &DefWindowProcW;
    wc.lpszClassName = L"Paint Target";
    RegisterClassW(&wc);
    window = CreateWindowExW(0, L"Paint Target", L"", WS_VISIBLE, 0, 0, 120, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    winapi::headless::TakeDrawnRect(window);
  }
  HWND window = nullptr;
};

TEST_F(PaintTimerTest, TheWindowShowsTheBackBufferOverThePaintedArea) {
  painted_window a("a", log, kRed, RECT{10, 10, 30, 20});
  notus::impl::details::PaintTimerProc(window, WM_TIMER, 1, 0);
  ASSERT_EQ(log.size(), 1u);
  EXPECT_NE(log[0].dc, nullptr);

  const winapi::Image shown = winapi::headless::Capture(window);
  for (int y = 10; y <= 20; ++y)
    for (int x = 10; x <= 30; ++x) ASSERT_EQ(shown.At(x, y), buffer->pixel(x, y)) << x << "," << y;
  EXPECT_EQ(shown.At(31, 21) & 0xFFFFFF, 0xFFFFFFu);  // outside: not copied
  EXPECT_TRUE(IsRect(winapi::headless::TakeDrawnRect(window), 10, 10, 31, 21));

  // Nothing dirty: nothing is copied.
  notus::impl::details::PaintTimerProc(window, WM_TIMER, 1, 0);
  EXPECT_TRUE(IsRect(winapi::headless::TakeDrawnRect(window), 0, 0, 0, 0));
}

TEST_F(PaintTimerTest, AnImmediateRenderPaintsWithoutADcAndShowsTheResult) {
  painted_window a("a", log, kBlue, RECT{0, 0, 10, 10});
  notus::impl::details::PaintAndPresent(window, false);
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].dc, nullptr);
  EXPECT_EQ(winapi::headless::Capture(window).At(5, 5), kBluePixel);
}

}  // namespace
}  // namespace host_test
