#include "desktop_fixture.h"

#include "notus/platform/ownerdrawWin32/invalid_rect.h"
#include "notus/platform/ownerdrawWin32/virtual_window_impl.h"
#include "tests/support/paint_probe.h"
#include "tests/support/window_probe.h"

#include <string>
#include <vector>

namespace desktop_test {
namespace {

using strings = std::vector<std::string>;

class MainWindowTest : public DesktopTest {
 protected:
  void SetUp() override {
    DesktopTest::SetUp();
    ASSERT_TRUE(InitInstance(nullptr, SW_SHOW));
    main = app::instance().main_window();
  }
  // Runs a loop until WM_QUIT; what is queued is handled first.
  void run_queued() {
    PostQuitMessage(0);
    app::run_message_loop();
  }
  HWND main = nullptr;
};

constexpr UINT kOpenNested = WM_USER + 20;
constexpr UINT kNote = WM_USER + 21;
strings* g_log = nullptr;

LRESULT CALLBACK HelperProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kOpenNested) {
    // The close box inside a dialog's loop.
    winapi::headless::Inject(app::instance().main_window(), WM_SYSCOMMAND, SC_CLOSE, 0);
    g_log->push_back("nested ends " + std::to_string(app::run_message_loop()));
    PostMessageW(window, kNote, 0, 0);
    return 0;
  }
  if (message == kNote) {
    g_log->push_back("outer goes on");
    PostMessageW(app::instance().main_window(), WM_CLOSE, 0, 0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

TEST_F(MainWindowTest, CloseInsideANestedLoopEndsOnlyThatLoop) {
  strings log;
  g_log = &log;
  WNDCLASSW wc{};
  wc.lpfnWndProc = &HelperProc;
  wc.lpszClassName = L"Helper";
  RegisterClassW(&wc);
  const HWND helper = CreateWindowExW(0, L"Helper", L"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  PostMessageW(helper, kOpenNested, 0, 0);
  EXPECT_EQ(app::run_message_loop(), 0);
  EXPECT_EQ(log, (strings{"nested ends 0", "outer goes on"}));
  g_log = nullptr;
}

TEST_F(MainWindowTest, DeferredAndSizeMessagesReachOnlyWindowsOfTheCurrentController) {
  probes::journal log;
  auto below = probes::make_window("below", log, {RECT{0, 0, 10, 10}});
  virtual_window_controller dialog;
  auto above = probes::make_window("above", log, {RECT{5, 5, 35, 25}});
  log.clear();

  for (auto* w : {static_cast<notus::impl::details::winobj_virtual_window*>(below.get()),
                  static_cast<notus::impl::details::winobj_virtual_window*>(above.get())}) {
    SendMessageW(main, notus::impl::message_deferred, 0, reinterpret_cast<LPARAM>(w));
    SendMessageW(main, notus::impl::message_size_event, 0, reinterpret_cast<LPARAM>(w));
  }
  // A window object that is not (or no longer) registered is not touched.
  SendMessageW(main, notus::impl::message_size_event, 0, 0x1230);
  EXPECT_EQ(log, (strings{"above:kind 13", "above:kind 3"}));

  struct size_probe : notus::impl::details::winobj_virtual_window {
    size_probe() : winobj_virtual_window(0) { resize(30, 20); }
    void handle_event(notus::impl::event<notus::traits>& e) override {
      if (auto* s = e.kind.get_if<notus::impl::kind_size>()) size = {s->width, s->height};
      if (auto* d = e.kind.get_if<notus::impl::kind_deferred>())
        deferred = {static_cast<int>(d->first), static_cast<int>(d->second)};
    }
    std::pair<int, int> size{-1, -1}, deferred{-1, -1};
  } sized;
  PostMessageW(main, notus::impl::message_deferred, 7, reinterpret_cast<LPARAM>(&sized));
  run_queued();
  SendMessageW(main, notus::impl::message_size_event, 0, reinterpret_cast<LPARAM>(&sized));
  EXPECT_EQ(sized.size, (std::pair{30, 20}));
  EXPECT_EQ(sized.deferred, (std::pair{0, 0}));
}

TEST_F(MainWindowTest, InputGoesThroughTheCurrentController) {
  probes::journal log;
  auto w = probes::make_window("w", log, {RECT{10, 10, 50, 50}});
  log.clear();
  winapi::headless::InjectClick(main, 20, 30);
  run_queued();
  EXPECT_EQ(log, (strings{"w:state 3", "w:mouse 3 10,20", "w:mouse 4 10,20"}));
}

TEST_F(MainWindowTest, SizeMakesANewGreyBackBufferAndInvalidatesIt) {
  app::instance().back_buffer()->fill_bytes(0);
  notus::impl::details::clear_invalid_rect();
  RECT placed{};
  GetWindowRect(main, &placed);
  MoveWindow(main, placed.left, placed.top, 160, 120, FALSE);
  const auto& buffer = app::instance().back_buffer();
  EXPECT_EQ(buffer->width(), 160);
  EXPECT_EQ(buffer->height(), 120);
  EXPECT_EQ(buffer->pixel(150, 110), 0xE1E1E1E1u);
  const RECT invalid = notus::impl::details::invalid_rect();
  EXPECT_EQ(invalid.right, 160);
  EXPECT_EQ(invalid.bottom, 120);
}

TEST_F(MainWindowTest, PaintShowsTheBackBufferAndCloseQuits) {
  app::instance().back_buffer()->fill_bytes(0x40);
  InvalidateRect(main, nullptr, FALSE);
  UpdateWindow(main);
  EXPECT_EQ(winapi::headless::Capture(main).At(5, 5), 0x40404040u);
  EXPECT_EQ(winapi::headless::Capture(main).At(99, 99), 0x40404040u);

  SendMessageW(main, WM_CLOSE, 0, 0);
  MSG msg{};
  EXPECT_EQ(GetMessageW(&msg, nullptr, 0, 0), 0);
}

TEST_F(MainWindowTest, AnImmediateRenderPaintsAndShowsBeforeItReturns) {
  std::vector<host_test::paint_record> log;
  host_test::painted_window w("w", log, RGB(255, 0, 0), RECT{0, 0, 20, 20});
  SendMessageW(main, notus::impl::message_paint_now, 0, 0);
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].dc, nullptr);
  EXPECT_EQ(winapi::headless::Capture(main).At(10, 10), 0xFFFF0000u);
}

}  // namespace
}  // namespace desktop_test
