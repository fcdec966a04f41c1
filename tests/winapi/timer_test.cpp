#include "layer_fixture.h"

using winapi_test::LayerTest;

namespace {

struct TimerCall {
  HWND hwnd;
  UINT message;
  UINT_PTR id;
  DWORD time;
};
std::vector<TimerCall> g_timerCalls;
int g_quitAfter = 0;

void CALLBACK RecordingTimerProc(HWND hwnd, UINT message, UINT_PTR id, DWORD time) {
  g_timerCalls.push_back(TimerCall{hwnd, message, id, time});
  if (static_cast<int>(g_timerCalls.size()) == g_quitAfter) {
    PostQuitMessage(0);
  }
}

class TimerTest : public LayerTest {
 protected:
  void SetUp() override {
    LayerTest::SetUp();
    g_timerCalls.clear();
    g_quitAfter = 0;
  }
};

int RunLoop() {
  MSG msg;
  int result;
  while ((result = GetMessageW(&msg, nullptr, 0, 0)) > 0) {
    DispatchMessageW(&msg);
  }
  return result;
}

}  // namespace

TEST_F(TimerTest, BlockingLoopRunsTimerProcsOnTheSettableClock) {
  const HWND hwnd = MakeWindow({0, 0, 10, 10}, 0);
  winapi::headless::SetTickCount(1000);
  EXPECT_NE(SetTimer(hwnd, 1, 50, RecordingTimerProc), 0u);
  g_quitAfter = 3;

  EXPECT_EQ(RunLoop(), 0);

  ASSERT_EQ(g_timerCalls.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(g_timerCalls[i].hwnd, hwnd);
    EXPECT_EQ(g_timerCalls[i].message, WM_TIMER);
    EXPECT_EQ(g_timerCalls[i].id, 1u);
    EXPECT_EQ(g_timerCalls[i].time, 1050 + 50 * i);
  }
  // The procedure took the messages: the window never saw WM_TIMER.
  for (const UINT m : MessagesOf(hwnd)) {
    EXPECT_NE(m, WM_TIMER);
  }
  EXPECT_EQ(GetTickCount(), 1150u);
}

TEST_F(TimerTest, AtMostOneTimerMessageIsPendingHoweverLateTheLoop) {
  const HWND hwnd = MakeWindow({0, 0, 10, 10}, 0);
  SetTimer(hwnd, 3, 50, nullptr);
  winapi::headless::AdvanceTickCount(500);
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, WM_TIMER);
  EXPECT_EQ(msg.wParam, 3u);
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  winapi::headless::AdvanceTickCount(50);
  EXPECT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  DispatchMessageW(&msg);
  EXPECT_EQ(MessagesOf(hwnd).back(), WM_TIMER);
}

TEST_F(TimerTest, TimersAreDueInTheOrderOfTheirDueTimes) {
  const HWND hwnd = MakeWindow({0, 0, 10, 10}, 0);
  SetTimer(hwnd, 1, 30, nullptr);
  SetTimer(hwnd, 2, 20, nullptr);
  std::vector<UINT_PTR> fired;
  winapi::headless::SetIdleHook([&] {
    if (fired.size() >= 4) {
      PostQuitMessage(0);
      return true;
    }
    return false;
  });
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    fired.push_back(msg.wParam);
  }
  // Due at 20 (2), 30 (1), 40 (2), then both at 60, where the one set first
  // goes first; both come before the loop waits again.
  EXPECT_EQ(fired, (std::vector<UINT_PTR>{2, 1, 2, 1, 2}));
  EXPECT_EQ(GetTickCount(), 60u);
}

TEST_F(TimerTest, KillTimerAndDestroyWindowStopTimers) {
  const HWND hwnd = MakeWindow({0, 0, 10, 10}, 0);
  SetTimer(hwnd, 1, 10, RecordingTimerProc);
  EXPECT_TRUE(KillTimer(hwnd, 1));
  EXPECT_FALSE(KillTimer(hwnd, 1));
  SetTimer(hwnd, 2, 10, RecordingTimerProc);
  DestroyWindow(hwnd);
  MSG msg;
  EXPECT_EQ(GetMessageW(&msg, nullptr, 0, 0), -1);  // nothing left to wait for
  EXPECT_TRUE(g_timerCalls.empty());
  EXPECT_EQ(SetTimer(hwnd, 3, 10, nullptr), 0u);
}

TEST_F(TimerTest, SetTimerAgainRestartsThePeriod) {
  const HWND hwnd = MakeWindow({0, 0, 10, 10}, 0);
  SetTimer(hwnd, 1, 100, nullptr);
  winapi::headless::AdvanceTickCount(90);
  SetTimer(hwnd, 1, 100, nullptr);
  winapi::headless::AdvanceTickCount(20);
  MSG msg;
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(GetMessageW(&msg, nullptr, 0, 0), 1);
  EXPECT_EQ(GetTickCount(), 190u);
}

TEST_F(TimerTest, TimersWithoutAWindowGetTheirOwnIds) {
  g_quitAfter = 1;
  const UINT_PTR id = SetTimer(nullptr, 0, 10, RecordingTimerProc);
  ASSERT_NE(id, 0u);
  EXPECT_NE(SetTimer(nullptr, 0, 10, RecordingTimerProc), id);
  EXPECT_EQ(RunLoop(), 0);
  ASSERT_EQ(g_timerCalls.size(), 1u);
  EXPECT_EQ(g_timerCalls[0].hwnd, nullptr);
}

TEST_F(TimerTest, ForgedTimerMessagesNeverCallAnUnregisteredProcedure) {
  const HWND hwnd = MakeWindow({0, 0, 10, 10}, 0);
  SetTimer(hwnd, 1, 10, RecordingTimerProc);
  // Right procedure, wrong id; and an id with a procedure SetTimer never saw.
  PostMessageW(hwnd, WM_TIMER, 2, reinterpret_cast<LPARAM>(&RecordingTimerProc));
  PostMessageW(hwnd, WM_TIMER, 1, LPARAM{0x1234});
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    DispatchMessageW(&msg);
  }
  EXPECT_TRUE(g_timerCalls.empty());
  const auto messages = MessagesOf(hwnd);
  EXPECT_EQ(std::count(messages.begin(), messages.end(), WM_TIMER), 2);
}

TEST_F(TimerTest, TickCountWrapsAroundWithTimersStillDue) {
  winapi::headless::SetTickCount(0xFFFFFFF0u);
  const HWND hwnd = MakeWindow({0, 0, 10, 10}, 0);
  SetTimer(hwnd, 1, 50, RecordingTimerProc);
  g_quitAfter = 2;
  EXPECT_EQ(RunLoop(), 0);
  ASSERT_EQ(g_timerCalls.size(), 2u);
  EXPECT_EQ(g_timerCalls[0].time, 0x22u);
  EXPECT_EQ(g_timerCalls[1].time, 0x54u);
}
