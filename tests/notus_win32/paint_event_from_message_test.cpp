#include <gtest/gtest.h>

#include "notus/impl/event.h"
#include "notus/platform/ownerdrawWin32/event_from_message.h"
#include "notus/platform/ownerdrawWin32/paint_surface.h"
#include "tests/support/ScopedInstalls.h"
#include "winapi/headless/headless.h"
#include "winapi/windows.h"

using namespace notus::impl;

namespace {

using platform_event = event<notus::traits>;

// Paint events name the main window and the back buffer through the surface
// source; the buffer is never touched here, so any distinct address will do.
HWND g_main = nullptr;
alignas(8) char g_buffer_stand_in[8];
notus::traits::back_buffer* const g_buffer = reinterpret_cast<notus::traits::back_buffer*>(g_buffer_stand_in);

paint_surface test_surface() { return paint_surface{g_main, g_buffer}; }

class PaintEventFromMessage : public ::testing::Test {
 protected:
  void SetUp() override {
    winapi::headless::Reset();
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.lpszClassName = L"paint test";
    ASSERT_NE(RegisterClassW(&wc), 0);
    g_main = CreateWindowExW(0, L"paint test", L"", WS_CAPTION, 100, 100, 300, 200, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(g_main, nullptr);
    // A child window at (40, 30) of the main window's client area.
    child = CreateWindowExW(0, L"paint test", L"", WS_CHILD | WS_VISIBLE, 40, 30, 100, 50, g_main, nullptr, nullptr,
                            nullptr);
    ASSERT_NE(child, nullptr);
    ValidateRect(child, nullptr);
    installed.Install(&set_paint_surface_source, &test_surface);
  }

  void TearDown() override {
    installed.RestoreAll();
    winapi::headless::Reset();
    g_main = nullptr;
  }

  platform_event from_message(UINT message, LPARAM lParam = 0) {
    MSG m{};
    m.hwnd = child;
    m.message = message;
    m.lParam = lParam;
    return platform_event(m);
  }

  HWND child = nullptr;
  test_support::ScopedInstalls installed;
};

void expect_rect(const RECT& actual, const RECT& expected, const char* what) {
  EXPECT_EQ(actual.left, expected.left) << what;
  EXPECT_EQ(actual.top, expected.top) << what;
  EXPECT_EQ(actual.right, expected.right) << what;
  EXPECT_EQ(actual.bottom, expected.bottom) << what;
}

}  // namespace

TEST_F(PaintEventFromMessage, APaintWithNothingInvalidIsKindZero) {
  platform_event e = from_message(WM_PAINT);
  EXPECT_EQ(e.kind.index(), kind_message);
  EXPECT_EQ(e.record.paint.hdc, nullptr) << "no paint was begun";
}

TEST_F(PaintEventFromMessage, APaintCarriesTheUpdateTheClientAndTheOriginInTheMainWindow) {
  const RECT dirty{10, 5, 60, 25};
  InvalidateRect(child, &dirty, FALSE);
  platform_event e = from_message(WM_PAINT);
  ASSERT_EQ(e.kind.index(), kind_paint);
  const ev_paint& p = *e.kind.get_if<kind_paint>();
  EXPECT_EQ(p.lead, 0);
  expect_rect(p.update, dirty, "update");
  expect_rect(p.client, RECT{0, 0, 100, 50}, "client");
  EXPECT_EQ(p.origin_x, 40);
  EXPECT_EQ(p.origin_y, 30);
  EXPECT_NE(p.dc, nullptr);
  EXPECT_EQ(p.dc, e.record.paint.hdc) << "the record keeps the begun paint";
  EXPECT_EQ(p.back_buffer, g_buffer);
  EXPECT_EQ(p.item_state, 0);
  EXPECT_EQ(p.item_id, 0u);
  RECT left{};
  EXPECT_FALSE(GetUpdateRect(child, &left, FALSE)) << "beginning the paint validates the window";
  EndPaint(child, &e.record.paint);
}

TEST_F(PaintEventFromMessage, ARepaintRequestCarriesItsRectangleAndNoDc) {
  RECT requested{1, 2, 30, 40};
  platform_event e = from_message(WM_USER + 2, reinterpret_cast<LPARAM>(&requested));
  ASSERT_EQ(e.kind.index(), kind_paint);
  const ev_paint& p = *e.kind.get_if<kind_paint>();
  expect_rect(p.update, requested, "update");
  expect_rect(p.client, RECT{0, 0, 100, 50}, "client");
  EXPECT_EQ(p.origin_x, 40);
  EXPECT_EQ(p.origin_y, 30);
  EXPECT_EQ(p.dc, nullptr);
  EXPECT_EQ(p.back_buffer, g_buffer);
}
