#include "notus/platform/ownerdrawWin32/app.h"
#include "winapi/headless/headless.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using notus::impl::details::app;

constexpr UINT kOpenNested = WM_USER + 10;
constexpr UINT kQuit = WM_USER + 11;
constexpr UINT kNote = WM_USER + 12;

std::vector<std::string>* g_log = nullptr;

// Logs the messages the loops dispatch; kOpenNested runs a nested loop.
LRESULT CALLBACK LoggingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NULL: g_log->push_back("null"); return 0;
    case kOpenNested: {
      g_log->push_back("nested begins");
      PostMessageW(window, kNote, 1, 0);
      PostMessageW(window, kQuit, 0, 0);
      const int result = app::run_message_loop();
      g_log->push_back("nested ends " + std::to_string(result));
      // Work for the outer loop, which must still be running.
      PostMessageW(window, kNote, 2, 0);
      PostMessageW(window, kQuit, 0, 0);
      return 0;
    }
    case kQuit:
      g_log->push_back("quit");
      app::quit();
      return 0;
    case kNote: g_log->push_back("note " + std::to_string(wParam)); return 0;
    default: return DefWindowProcW(window, message, wParam, lParam);
  }
}

class MessageLoopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    winapi::headless::Reset();
    g_log = &log;
    WNDCLASSW wc{};
    wc.lpfnWndProc = &LoggingProc;
    wc.lpszClassName = L"Loop Test";
    RegisterClassW(&wc);
    window = CreateWindowExW(0, L"Loop Test", L"", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
  }
  void TearDown() override {
    winapi::headless::Reset();
    g_log = nullptr;
  }

  HWND window = nullptr;
  std::vector<std::string> log;
};

TEST_F(MessageLoopTest, ANestedLoopEndsOnItsOwnQuitAndTheOuterGoesOn) {
  PostMessageW(window, kOpenNested, 0, 0);
  EXPECT_EQ(app::run_message_loop(), 0);
  EXPECT_EQ(log, (std::vector<std::string>{"nested begins", "note 1", "quit", "nested ends 0", "note 2", "quit"}));
}

TEST_F(MessageLoopTest, PumpingTakesAQuitOnceAndConsumesIt) {
  EXPECT_FALSE(app::pump_message());  // nothing waiting
  PostMessageW(window, kNote, 3, 0);
  app::quit();
  EXPECT_FALSE(app::pump_message());
  EXPECT_EQ(log, (std::vector<std::string>{"note 3"}));
  EXPECT_TRUE(app::pump_message());
  EXPECT_FALSE(app::pump_message());
  // No quit is left for a loop: with nothing that could ever arrive the
  // loop reports an error instead of ending normally.
  EXPECT_EQ(app::run_message_loop(), -1);
}

TEST_F(MessageLoopTest, PumpingANullMessageDispatchesNothing) {
  PostMessageW(window, WM_NULL, 0, 0);
  EXPECT_FALSE(app::pump_message());
  EXPECT_TRUE(log.empty());
}

}  // namespace
