#include "desktop_fixture.h"

#include "startup/CannotStart.h"
#include "svg/svg_exception.h"
#include "tests/support/paint_probe.h"
#include "ttl/exception.h"

#include <cstdlib>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

namespace desktop_test {
namespace {

constexpr const wchar_t* kGeneric = L"Not enough memory or unknown error!";

struct HandlerCase {
  const char* name;
  std::function<void()> raise;
  std::wstring shown;
};

class TopLevelHandlers : public DesktopTest, public ::testing::WithParamInterface<HandlerCase> {};

// The run failed, and the exit status must tell whoever started the program.
TEST_P(TopLevelHandlers, ShowWhatEscapesTheRunAndReturnAFailure) {
  run_application = [] {
    GetParam().raise();
    return 0;
  };
  EXPECT_EQ(WinMain(nullptr, nullptr, nullptr, SW_SHOW), EXIT_FAILURE);
  const auto& boxes = winapi::headless::MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, GetParam().shown);
  EXPECT_EQ(boxes[0].caption, L"Kestrel Mill");
  EXPECT_EQ(boxes[0].type, MB_ICONERROR);
  EXPECT_EQ(boxes[0].owner, nullptr);
}

char g_writable_text[] = "m_cellIndex > 256 which is illegal.";

INSTANTIATE_TEST_SUITE_P(
    Table, TopLevelHandlers,
    ::testing::Values(
        HandlerCase{"invalid_argument",
                    [] { throw std::invalid_argument("ResourceManager::GetItemConfig no such ItemConfig ( 3,4)"); },
                    L"ResourceManager::GetItemConfig no such ItemConfig ( 3,4)"},
        HandlerCase{"out_of_range", [] { throw std::out_of_range("Index out of range!"); }, L"Index out of range!"},
        HandlerCase{"logic_error", [] { throw std::logic_error("Only one domain is possible."); },
                    L"Only one domain is possible."},
        HandlerCase{"string_literal", [] { throw "No such SVG node!"; }, L"No such SVG node!"},
        HandlerCase{"char_pointer", [] { throw static_cast<char*>(g_writable_text); },
                    L"m_cellIndex > 256 which is illegal."},
        HandlerCase{"runtime_error", [] { throw std::runtime_error("unable to create control"); }, kGeneric},
        HandlerCase{"range_error", [] { throw std::range_error("Index out of range."); }, kGeneric},
        HandlerCase{"svg_exception", [] { throw agg::svg::exception("parse_path: Invalid Command %c", 'X'); },
                    kGeneric},
        HandlerCase{"ttl_signal", [] { throw ttl::sig::exception(); }, kGeneric},
        HandlerCase{"ttl_function", [] { throw ttl::func::exception(); }, kGeneric},
        HandlerCase{"bad_alloc", [] { throw std::bad_alloc(); }, kGeneric},
        HandlerCase{"int", [] { throw 42; }, kGeneric},
        HandlerCase{"cannot_start", [] { throw startup::CannotStart(L"resources.dat is missing"); },
                    L"resources.dat is missing"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DesktopTest, InitInstanceLeavesACentredHundredPixelClientAndABackBuffer) {
  winapi::headless::SetScreenSize(800, 600);
  ASSERT_TRUE(InitInstance(nullptr, SW_SHOW));
  const HWND window = app::instance().main_window();
  ASSERT_NE(window, nullptr);
  RECT client{};
  GetClientRect(window, &client);
  EXPECT_EQ(client.right - client.left, 100);
  EXPECT_EQ(client.bottom - client.top, 100);
  RECT placed{};
  GetWindowRect(window, &placed);
  EXPECT_EQ(placed.left, 300);
  EXPECT_EQ(placed.top, 200);
  EXPECT_TRUE(IsWindowVisible(window));
  wchar_t title[64] = {};
  GetWindowTextW(window, title, 64);
  EXPECT_STREQ(title, L"Tavlin - Kestrel Mill");

  const auto& buffer = app::instance().back_buffer();
  ASSERT_NE(buffer, nullptr);
  EXPECT_EQ(buffer->width(), 100);
  EXPECT_EQ(buffer->height(), 100);
  EXPECT_EQ(buffer->pixel(50, 50), 0xE1E1E1E1u);

  // "Loading..." in black, inside its rectangle.
  const winapi::Image shown = winapi::headless::Capture(window);
  int dark = 0;
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 100; ++x)
      if ((shown.At(x, y) & 0xFFFFFF) < 0x808080) {
        ++dark;
        EXPECT_TRUE(x >= 10 && x < 100 && y >= 10 && y < 30) << x << "," << y;
      }
  EXPECT_GT(dark, 20);
}

TEST_F(DesktopTest, ThePaintTimerRunsWhileTheApplicationRunsAndStopsAfter) {
  std::vector<host_test::paint_record> log;
  run_application = [&log] {
    // A window of the application that ends the run once it is painted.
    struct quitting_window : host_test::painted_window {
      using painted_window::painted_window;
      void handle_event(notus::impl::event<notus::traits>& e) override {
        painted_window::handle_event(e);
        app::quit();
      }
    } w("w", log, RGB(0, 0, 255), RECT{20, 20, 40, 40});
    EXPECT_EQ(app::run_message_loop(), 0);
    return 0;
  };
  EXPECT_EQ(WinMain(nullptr, nullptr, nullptr, SW_SHOW), 0);
  ASSERT_EQ(log.size(), 1u);
  EXPECT_NE(log[0].dc, nullptr);
  EXPECT_EQ(winapi::headless::Capture(app::instance().main_window()).At(30, 30), 0xFF0000FFu);
  EXPECT_TRUE(winapi::headless::MessageBoxes().empty());
  // The timer is gone: nothing can arrive any more.
  EXPECT_EQ(app::run_message_loop(), -1);
}

TEST_F(DesktopTest, WithoutAMainWindowWinMainReturnsAFailureAtOnce) {
  // The class name is already taken by a procedure that refuses
  // WM_CREATE, so the main window cannot be created.
  WNDCLASSW refusing{};
  refusing.lpfnWndProc = [](HWND, UINT message, WPARAM, LPARAM) -> LRESULT { return message == WM_CREATE ? -1 : 0; };
  refusing.lpszClassName = desktop::main_window_class;
  ASSERT_NE(RegisterClassW(&refusing), 0);
  bool ran = false;
  run_application = [&ran] {
    ran = true;
    return 0;
  };
  EXPECT_EQ(WinMain(nullptr, nullptr, nullptr, SW_SHOW), EXIT_FAILURE);
  EXPECT_FALSE(ran);
  EXPECT_EQ(app::instance().main_window(), nullptr);
}

}  // namespace
}  // namespace desktop_test
