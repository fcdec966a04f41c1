// The splash wait: whole seconds of the tick count, a sleep between messages
// on the settable clock, its own window controller, and a close that is not
// lost.
#include "startup/WaitPumpingMessages.h"

#include "startup/Splash.h"
#include "tests/support/FormsHost.h"

#include <stdexcept>

namespace startup_test {
namespace {

class WaitTest : public StartupTest {};

TEST(SplashSecondsLeftTest, TheSplashStaysUpFourWholeSeconds) {
  const struct { unsigned elapsed, left; } cases[] = {{0, 4}, {1, 3}, {3, 1}, {4, 0}, {9, 0}};
  for (const auto& c : cases) EXPECT_EQ(startup::SplashSecondsLeft(c.elapsed), c.left) << c.elapsed;
}

TEST_F(WaitTest, TheWaitEndsAtAWholeSecondBoundaryHandlingMessagesMeanwhile) {
  const struct {
    DWORD start;
    unsigned seconds;
    DWORD end;
  } cases[] = {
      {1'000'000, 4, 1'004'000}, {1'000'000, 1, 1'001'000}, {1'000'900, 1, 1'001'000},  // the next boundary comes early
      {1'000'999, 3, 1'003'000}, {1'000'500, 0, 1'000'500},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.start << " + " << c.seconds);
    winapi::headless::SetTickCount(c.start);
    // A paint-timer-like timer keeps coming; each of its messages is handled.
    static int ticks;
    ticks = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) { ++ticks; });
    WaitPumpingMessages(c.seconds);
    KillTimer(nullptr, timer);
    EXPECT_EQ(GetTickCount(), c.end);
    EXPECT_EQ(ticks, static_cast<int>(c.end - c.start) / 50);
  }
  // The wait's own timer is gone: with nothing left a blocking read fails
  // rather than being woken.
  MSG msg;
  EXPECT_EQ(GetMessageW(&msg, nullptr, 0, 0), -1);
}

TEST_F(WaitTest, AFreshControllerIsCurrentDuringTheWaitAndTheOldOneAfterEvenOnAnException) {
  winapi::headless::SetTickCount(1'000'000);
  virtual_window_controller* during = nullptr;
  winapi::headless::SetIdleHook([&] {
    during = virtual_window_controller::current();
    return false;
  });
  WaitPumpingMessages(1);
  EXPECT_NE(during, nullptr);
  EXPECT_NE(during, desktop->root());
  EXPECT_EQ(virtual_window_controller::current(), desktop->root());

  winapi::headless::SetIdleHook([]() -> bool { throw std::runtime_error("failed while waiting"); });
  EXPECT_THROW(WaitPumpingMessages(2), std::runtime_error);
  EXPECT_EQ(virtual_window_controller::current(), desktop->root());
  winapi::headless::SetIdleHook(nullptr);
  MSG msg;
  EXPECT_EQ(GetMessageW(&msg, nullptr, 0, 0), -1) << "the wait's timer outlived it";
}

TEST_F(WaitTest, ClosingTheWindowDuringTheWaitEndsItAndStillEndsTheMainLoop) {
  winapi::headless::SetTickCount(1'000'000);
  bool closed = false;
  winapi::headless::SetIdleHook([&] {
    if (closed) return false;
    // The close box, a second in.
    winapi::headless::AdvanceTickCount(1'000);
    PostMessageW(main, WM_CLOSE, 0, 0);
    closed = true;
    return true;
  });
  WaitPumpingMessages(4);
  EXPECT_EQ(GetTickCount(), 1'001'000u) << "the wait ends at the close";
  winapi::headless::SetIdleHook(nullptr);
  EXPECT_EQ(app::run_message_loop(), 0) << "the main loop takes the quit";
}

}  // namespace
}  // namespace startup_test
