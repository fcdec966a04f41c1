// Real input on the display: the main window of the desktop host runs in
// this process on the SDL backend while xdotool clicks and types into it.
#include "x_tools.h"

#include "notus/platform/ownerdrawWin32/app.h"
#include "notus/platform/ownerdrawWin32/native_control.h"
#include "notus/platform/ownerdrawWin32/virtual_window_controller.h"
#include "notus/platform/ownerdrawWin32/winobj_virtual_window.h"
#include "platform/win32/Application/app_entry.h"
#include "platform/win32/Application/desktop_resources.h"
#include "tests/support/ScopedInstalls.h"
#include "winapi/sdl/sdl.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace display_test {
namespace {

using notus::impl::details::app;
using notus::impl::details::virtual_window_controller;
using notus::impl::details::winobj_virtual_window;
using log_type = std::vector<std::string>;

// A window object that writes down the mouse and key events it receives:
// "mouse <action> <button> <x>,<y>" and "key <down> <virtual key> <code>".
class recorder : public winobj_virtual_window {
 public:
  recorder(log_type& log, RECT place, unsigned flags = 0) : winobj_virtual_window(flags), m_log(log) {
    move(place.left, place.top);
    resize(place.right - place.left, place.bottom - place.top);
    show();
  }
  void handle_event(notus::impl::event<notus::traits>& e) override {
    if (auto* m = e.kind.get_if<notus::impl::kind_mouse>())
      m_log.push_back("mouse " + std::to_string(static_cast<int>(m->action)) + " " + std::to_string(m->button) + " " +
                      std::to_string(m->x) + "," + std::to_string(m->y));
    else if (auto* k = e.kind.get_if<notus::impl::kind_key>())
      m_log.push_back("key " + std::to_string(k->down) + " " + std::to_string(k->key) + " " + std::to_string(k->code));
  }

 private:
  log_type& m_log;
};

class OnDisplay : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!winapi::sdl::IsActive() || !HaveTools()) {
      GTEST_SKIP() << "no display (or no xdotool and import) to test on";
    }
    desktop::RegisterDesktopResources();
    root = std::make_unique<virtual_window_controller>();
    installed.Install(&notus::impl::details::set_native_control_procedure, &MainWindowProc);
    ASSERT_TRUE(InitInstance(nullptr, SW_SHOW));
    main = app::instance().main_window();
    window = FindWindow("Tavlin - Kestrel Mill", 20000);
    ASSERT_NE(window, 0u);
  }
  void TearDown() override {
    windows.clear();
    app::instance().release();
    root.reset();
    installed.RestoreAll();
  }

  // Runs the message loop while the shell command runs, until `done` holds
  // after the command has ended, or 20 seconds have passed.
  void RunWhile(const std::string& command, const std::function<bool()>& done) {
    std::atomic<bool> finished{false};
    std::thread tool([&] {
      display_test::Run(command);
      finished = true;
    });
    SetTimer(main, 77, 50, nullptr);  // wakes the loop to look at the clock
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    MSG msg;
    while (std::chrono::steady_clock::now() < deadline && GetMessageW(&msg, nullptr, 0, 0) > 0) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
      if (finished && done()) {
        break;
      }
    }
    KillTimer(main, 77);
    tool.join();
  }

  std::string Xdotool(const std::string& actions) const {
    return "xdotool windowfocus " + std::to_string(window) + " sleep 0.3 " + actions + " 2>/dev/null";
  }

  std::unique_ptr<virtual_window_controller> root;
  std::vector<std::unique_ptr<recorder>> windows;
  HWND main = nullptr;
  unsigned long window = 0;
  test_support::ScopedInstalls installed;
};

bool Has(const log_type& log, const std::string& entry) {
  return std::find(log.begin(), log.end(), entry) != log.end();
}

}  // namespace

TEST_F(OnDisplay, ARealClickAndKeyPressReachTheFrameworkAsMessages) {
  log_type log;
  auto& target = *windows.emplace_back(std::make_unique<recorder>(log, RECT{0, 0, 100, 100}));
  ASSERT_TRUE(root->set_focus(&target));
  const std::string w = std::to_string(window);
  RunWhile(Xdotool("mousemove --window " + w + " 30 40 sleep 0.2 click 1 sleep 0.2 key Left sleep 0.1 key a"),
           [&] { return Has(log, "key 0 65 0"); });

  const log_type wanted = {"mouse 3 1 30,40", "mouse 4 1 30,40", "key 1 37 13",
                           "key 0 37 13",     "key 1 65 0",      "key 0 65 0"};
  auto from = log.begin();
  for (const std::string& entry : wanted) {
    from = std::find(from, log.end(), entry);
    EXPECT_NE(from, log.end()) << "missing or out of order: " << entry;
  }
  EXPECT_FALSE(Has(log, "mouse 2 1 30,40")) << "no double clicks";
}

TEST_F(OnDisplay, TextTypedIntoTheNativeEditControlIsItsTextAndShows) {
  log_type log;
  const RECT place{10, 50, 90, 74};
  auto& box = *windows.emplace_back(std::make_unique<recorder>(log, place, winobj_virtual_window::flag_native_edit));
  ASSERT_TRUE(root->set_focus(&box));
  const HWND control = box.native_window();
  const auto text = [control] {
    wchar_t buffer[32] = {};
    GetWindowTextW(control, buffer, 32);
    return std::wstring(buffer);
  };
  // "type" takes every argument after it as text: Backspace needs a call of its own.
  RunWhile(Xdotool("mousemove --window " + std::to_string(window) + " 50 20 type --delay 60 Kb1x") +
               " && xdotool key BackSpace",
           [&] { return text() == L"Kb1"; });
  EXPECT_EQ(text(), L"Kb1");
  EXPECT_TRUE(Has(log, "key 1 8 1")) << "the window object saw the Backspace key; it saw "
                                     << ::testing::PrintToString(log);

  // The control shows itself: nobody repainted the main window.
  const Picture shown = Screenshot(window);
  ASSERT_EQ(shown.width, 100);
  EXPECT_GT(shown.DarkIn(place.left, place.top, place.left + 40, place.bottom), 10) << "the typed text";
  EXPECT_EQ(shown.At(place.right - 3, place.top + 2), 0xFFFFFFu) << "on the control's white";
}

}  // namespace display_test
