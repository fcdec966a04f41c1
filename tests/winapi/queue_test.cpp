#include "layer_fixture.h"

#include "winapi/close_signals.h"

#include <functional>

using winapi_test::LayerTest;
using winapi_test::Received;

namespace {

constexpr UINT kFirst = WM_USER + 1;
constexpr UINT kSecond = WM_USER + 2;
constexpr UINT kThird = WM_USER + 3;

// Takes and dispatches everything that is ready, without blocking.
std::vector<UINT> Drain() {
  std::vector<UINT> taken;
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    taken.push_back(msg.message);
    DispatchMessageW(&msg);
  }
  return taken;
}

}  // namespace

TEST_F(LayerTest, RetrievalOrderIsPostedAndInputThenQuitThenPaintThenTimer) {
  const HWND hwnd = MakeWindow();  // visible, so it waits for WM_PAINT
  ASSERT_NE(hwnd, nullptr);
  SetTimer(hwnd, 7, 10, nullptr);
  winapi::headless::AdvanceTickCount(10);
  PostMessageW(hwnd, kFirst, 0, 0);
  winapi::headless::Inject(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 4));
  PostQuitMessage(5);
  PostMessageW(hwnd, kSecond, 0, 0);

  EXPECT_EQ(Drain(), (std::vector<UINT>{kFirst, WM_LBUTTONDOWN, kSecond, WM_QUIT, WM_PAINT, WM_TIMER}));
}

TEST_F(LayerTest, SentMessagesRunAtOnceAheadOfTheQueue) {
  const HWND hwnd = MakeWindow({0, 0, 10, 10}, 0);
  PostMessageW(hwnd, kFirst, 0, 0);
  EXPECT_EQ(SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0), 0);
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.back().message, WM_GETTEXTLENGTH);
  EXPECT_EQ(Drain(), std::vector<UINT>{kFirst});
}

TEST_F(LayerTest, GetMessageReturnsZeroForQuitAndCarriesTheExitCode) {
  PostQuitMessage(42);
  MSG msg;
  EXPECT_EQ(GetMessageW(&msg, nullptr, 0, 0), 0);
  EXPECT_EQ(msg.message, WM_QUIT);
  EXPECT_EQ(msg.wParam, 42u);
  // The quit request is taken once.
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(LayerTest, BlockingGetMessageWithNothingToWaitForReportsAnError) {
  MSG msg;
  EXPECT_EQ(GetMessageW(&msg, nullptr, 0, 0), -1);
  EXPECT_EQ(GetMessageW(nullptr, nullptr, 0, 0), -1);
}

// A loop that pumps with PeekMessageW sleeps in WaitMessage: it returns at
// once for whatever is already waiting (and leaves it there), otherwise when
// the next timer is due, on the settable clock without real sleep.
TEST_F(LayerTest, WaitMessageBlocksUntilSomethingCanBePeeked) {
  const HWND hwnd = MakeWindow({0, 0, 10, 10}, 0);
  MSG msg;
  EXPECT_EQ(WaitMessage(), FALSE);  // nothing queued and no timer: it would hang

  for (const UINT waiting : {kFirst, WM_QUIT}) {
    SCOPED_TRACE(waiting);
    winapi::headless::SetTickCount(500);
    if (waiting == WM_QUIT) {
      PostQuitMessage(0);
    } else {
      PostMessageW(hwnd, waiting, 0, 0);
    }
    EXPECT_EQ(WaitMessage(), TRUE);
    EXPECT_EQ(GetTickCount(), 500u);
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, waiting);
  }

  SetTimer(hwnd, 3, 250, nullptr);
  EXPECT_EQ(WaitMessage(), TRUE);
  EXPECT_EQ(GetTickCount(), 750u);
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_TIMER));
}

TEST_F(LayerTest, QuitEndsOnlyTheNestedLoopThatTakesIt) {
  std::vector<std::string> trace;
  const HWND hwnd = MakeWindow({0, 0, 10, 10}, 0, nullptr, [&](HWND h, UINT m, WPARAM, LPARAM) -> LRESULT {
    if (m == kFirst) {
      trace.push_back("dialog opens");
      PostMessageW(h, kSecond, 0, 0);
      MSG msg;
      BOOL result;
      while ((result = GetMessageW(&msg, nullptr, 0, 0)) > 0) {
        DispatchMessageW(&msg);
      }
      trace.push_back("dialog loop ended with " + std::to_string(result));
      PostMessageW(h, kThird, 0, 0);
    } else if (m == kSecond) {
      trace.push_back("button ends the dialog");
      PostQuitMessage(0);
    } else if (m == kThird) {
      trace.push_back("main loop goes on");
      PostQuitMessage(3);
    }
    return 0;
  });
  PostMessageW(hwnd, kFirst, 0, 0);

  MSG msg;
  BOOL result;
  while ((result = GetMessageW(&msg, nullptr, 0, 0)) > 0) {
    DispatchMessageW(&msg);
  }
  EXPECT_EQ(result, 0);
  EXPECT_EQ(msg.wParam, 3u);
  // Had the dialog's quit survived its loop, the main loop would have ended
  // before it saw kThird.
  EXPECT_EQ(trace, (std::vector<std::string>{"dialog opens", "button ends the dialog", "dialog loop ended with 0",
                                             "main loop goes on"}));
}

// The program closing from outside (a termination signal): the dialog's loop
// ends, then the loop around it once what was posted before is handled, and
// every loop or pump after them; a later PostQuitMessage keeps the code.
TEST_F(LayerTest, EndingEveryLoopEndsTheNestedLoopAndEachLoopAroundIt) {
  std::vector<std::string> trace;
  const HWND hwnd = MakeWindow({0, 0, 10, 10}, 0, nullptr, [&](HWND h, UINT m, WPARAM, LPARAM) -> LRESULT {
    if (m == kFirst) {
      PostMessageW(h, kSecond, 0, 0);
      MSG msg;
      BOOL result;
      while ((result = GetMessageW(&msg, nullptr, 0, 0)) > 0) {
        DispatchMessageW(&msg);
      }
      trace.push_back("dialog loop ended with " + std::to_string(result));
      PostMessageW(h, kThird, 0, 0);
    } else if (m == kSecond) {
      winapi::EndEveryMessageLoop(0);
    } else if (m == kThird) {
      trace.push_back("main loop went on");
    }
    return 0;
  });
  PostMessageW(hwnd, kFirst, 0, 0);

  MSG msg;
  BOOL result;
  while ((result = GetMessageW(&msg, nullptr, 0, 0)) > 0) {
    DispatchMessageW(&msg);
  }
  EXPECT_EQ(result, 0);
  EXPECT_EQ(msg.wParam, 0u);
  EXPECT_EQ(trace, (std::vector<std::string>{"dialog loop ended with 0", "main loop went on"}));
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(WaitMessage(), TRUE);
  PostQuitMessage(9);
  EXPECT_EQ(GetMessageW(&msg, nullptr, 0, 0), 0);
  EXPECT_EQ(msg.wParam, 0u);
}

TEST_F(LayerTest, PeekMessageTakesOneMessageAtATime) {
  const HWND hwnd = MakeWindow({0, 0, 10, 10}, 0);
  PostMessageW(hwnd, kFirst, 1, 0);
  PostMessageW(hwnd, kSecond, 2, 0);
  PostQuitMessage(0);

  // The pattern of a long operation that keeps the window alive.
  const auto pumpOne = [] {
    MSG msg;
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      return std::string("nothing");
    }
    if (msg.message == WM_QUIT) {
      return std::string("quit");
    }
    DispatchMessageW(&msg);
    return std::to_string(msg.message - WM_USER);
  };
  EXPECT_EQ(pumpOne(), "1");
  EXPECT_EQ(MessagesOf(hwnd).back(), kFirst);
  EXPECT_EQ(pumpOne(), "2");
  EXPECT_EQ(pumpOne(), "quit");
  EXPECT_EQ(pumpOne(), "nothing");
}

TEST_F(LayerTest, PeekWithoutRemoveLeavesTheMessageAndTheQuit) {
  PostMessageW(nullptr, kFirst, 0, 0);
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, kFirst);
  PostQuitMessage(0);
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(msg.message, WM_QUIT);
  EXPECT_EQ(GetMessageW(&msg, nullptr, 0, 0), 0);
}

TEST_F(LayerTest, PaintIsOfferedUntilTheWindowIsValidated) {
  const HWND hwnd = MakeWindow({0, 0, 50, 50}, WS_VISIBLE, nullptr, [](HWND h, UINT m, WPARAM, LPARAM) -> LRESULT {
    if (m == WM_PAINT) {
      PAINTSTRUCT ps;
      BeginPaint(h, &ps);
      EndPaint(h, &ps);
    }
    return 0;
  });
  EXPECT_EQ(Drain(), std::vector<UINT>{WM_PAINT});
  EXPECT_TRUE(Drain().empty());
  InvalidateRect(hwnd, nullptr, FALSE);
  EXPECT_EQ(Drain(), std::vector<UINT>{WM_PAINT});
  // A hidden window is not painted.
  ShowWindow(hwnd, SW_HIDE);
  InvalidateRect(hwnd, nullptr, FALSE);
  EXPECT_TRUE(Drain().empty());
}

TEST_F(LayerTest, UnhandledPaintIsNotOfferedForever) {
  MakeWindow({0, 0, 50, 50}, WS_VISIBLE, nullptr, [](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return 0; });
  EXPECT_EQ(Drain(), std::vector<UINT>{WM_PAINT});
}

// A handler that paints and then asks for another frame (or validates only
// part of the window) keeps what is still invalid: only a window procedure
// that validated nothing has its update region dropped for it.
TEST_F(LayerTest, InvalidationMadeWhilePaintingIsKept) {
  const struct {
    const char* what;
    std::function<void(HWND)> afterBeginPaint;
  } cases[] = {
      {"invalidated again after EndPaint", [](HWND h) { InvalidateRect(h, nullptr, FALSE); }},
      {"part invalidated again",
       [](HWND h) {
         const RECT part{0, 0, 5, 5};
         InvalidateRect(h, &part, FALSE);
       }},
  };
  for (const auto& c : cases) {
    int paints = 0;
    const HWND hwnd =
        MakeWindow({0, 0, 20, 20}, WS_VISIBLE, nullptr, [&](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
          if (m != WM_PAINT) {
            return DefWindowProcW(h, m, w, l);
          }
          PAINTSTRUCT paint;
          BeginPaint(h, &paint);
          EndPaint(h, &paint);
          if (++paints == 1) {
            c.afterBeginPaint(h);
          }
          return 0;
        });
    EXPECT_EQ(Drain(), (std::vector<UINT>{WM_PAINT, WM_PAINT})) << c.what;
    EXPECT_EQ(paints, 2) << c.what;
    EXPECT_FALSE(GetUpdateRect(hwnd, nullptr, FALSE)) << c.what;
    DestroyWindow(hwnd);
  }

  // ValidateRect of a band leaves the rest for the next WM_PAINT.
  const HWND banded = MakeWindow({0, 0, 20, 20}, WS_VISIBLE, nullptr, [](HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_PAINT) {
      const RECT top{0, 0, 20, 10};
      ValidateRect(h, &top);
      return LRESULT{0};
    }
    return DefWindowProcW(h, m, w, l);
  });
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  ASSERT_EQ(msg.message, WM_PAINT);
  DispatchMessageW(&msg);
  RECT left{};
  EXPECT_TRUE(GetUpdateRect(banded, &left, FALSE));
  EXPECT_EQ(left.top, 10);
  EXPECT_EQ(left.bottom, 20);
}

TEST_F(LayerTest, SendMessageIsReentrant) {
  HWND a = nullptr;
  HWND b = nullptr;
  std::vector<std::string> trace;
  a = MakeWindow({0, 0, 10, 10}, 0, nullptr, [&](HWND h, UINT m, WPARAM w, LPARAM) -> LRESULT {
    if (m == kFirst) {
      trace.push_back("a: first begins");
      const LRESULT fromSelf = SendMessageW(h, kSecond, 10, 0);
      const LRESULT fromB = SendMessageW(b, kThird, 20, 0);
      trace.push_back("a: first ends");
      return fromSelf + fromB;
    }
    if (m == kSecond) {
      trace.push_back("a: second " + std::to_string(w));
      return static_cast<LRESULT>(w);
    }
    return 0;
  });
  b = MakeWindow({0, 0, 10, 10}, 0, nullptr, [&](HWND, UINT m, WPARAM w, LPARAM) -> LRESULT {
    if (m == kThird) {
      trace.push_back("b: third");
      return SendMessageW(a, kSecond, w + 1, 0) * 100;
    }
    return 0;
  });
  EXPECT_EQ(SendMessageW(a, kFirst, 0, 0), 10 + 2100);
  EXPECT_EQ(trace,
            (std::vector<std::string>{"a: first begins", "a: second 10", "b: third", "a: second 21", "a: first ends"}));
}

TEST_F(LayerTest, MessagesToDeadWindowsAreRefusedOrDropped) {
  const HWND hwnd = MakeWindow({0, 0, 10, 10}, 0);
  PostMessageW(hwnd, kFirst, 0, 0);
  DestroyWindow(hwnd);
  log.clear();
  EXPECT_FALSE(PostMessageW(hwnd, kSecond, 0, 0));
  EXPECT_EQ(SendMessageW(hwnd, kSecond, 0, 0), 0);
  EXPECT_EQ(Drain(), std::vector<UINT>{kFirst});  // taken, but dispatched nowhere
  EXPECT_TRUE(log.empty());
}

TEST_F(LayerTest, IdleHookFeedsABlockedLoop) {
  const HWND hwnd = MakeWindow({0, 0, 10, 10}, 0);
  int step = 0;
  winapi::headless::SetIdleHook([&] {
    ++step;
    if (step == 1) {
      winapi::headless::InjectKey(hwnd, 'A', true);
    } else if (step == 2) {
      winapi::headless::InjectChar(hwnd, L'a');
    } else {
      PostQuitMessage(0);
    }
    return true;
  });
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  EXPECT_EQ(MessagesOf(hwnd), (std::vector<UINT>{WM_CREATE, WM_SIZE, WM_KEYDOWN, WM_CHAR}));
}

TEST_F(LayerTest, InjectedClicksAndKeysGoWhereRealInputWould) {
  const HWND main = MakeWindow({100, 100, 300, 200});
  const HWND child = MakeWindow({50, 20, 150, 60}, WS_VISIBLE, main);
  Drain();
  log.clear();

  winapi::headless::InjectClick(main, 60, 30);  // inside the child
  winapi::headless::InjectClick(main, 10, 10);  // on the main window
  winapi::headless::InjectKey(main, VK_RETURN, true);
  SetFocus(child);
  winapi::headless::InjectKey(main, VK_RETURN, false);
  log.clear();
  Drain();

  ASSERT_EQ(log.size(), 6u);
  EXPECT_EQ(log[0].hwnd, child);
  EXPECT_EQ(log[0].message, WM_LBUTTONDOWN);
  EXPECT_EQ(log[0].wParam, MK_LBUTTON);
  EXPECT_EQ(GET_X_LPARAM(log[0].lParam), 10);
  EXPECT_EQ(GET_Y_LPARAM(log[0].lParam), 10);
  EXPECT_EQ(log[2].hwnd, main);
  EXPECT_EQ(log[2].message, WM_LBUTTONDOWN);
  // The key message was routed when it was injected, before the focus moved.
  EXPECT_EQ(log[4].hwnd, main);
  EXPECT_EQ(log[4].message, WM_KEYDOWN);
  EXPECT_EQ(log[5].hwnd, child);
  EXPECT_EQ(log[5].message, WM_KEYUP);
}

// The key state moves as key messages are taken, not as they are posted or
// peeked, so a handler sees the state of the message it handles.
TEST_F(LayerTest, KeyStateFollowsTheKeyMessagesTaken) {
  const HWND main = MakeWindow();
  Drain();
  auto down = [](int key) { return GetKeyState(key) < 0; };
  winapi::headless::InjectKey(main, VK_CONTROL, true);
  winapi::headless::InjectKey(main, 'Z', true);
  MSG msg;
  EXPECT_FALSE(down(VK_CONTROL)) << "posted only";
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
  EXPECT_FALSE(down(VK_CONTROL)) << "peeked without removing";
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_TRUE(down(VK_CONTROL));
  EXPECT_FALSE(down('Z'));
  Drain();
  EXPECT_TRUE(down('Z'));

  winapi::headless::InjectKey(main, VK_CONTROL, false);
  Drain();
  EXPECT_FALSE(down(VK_CONTROL));
  EXPECT_TRUE(down('Z'));
  EXPECT_EQ(GetKeyState(-1), 0);
  EXPECT_EQ(GetKeyState(1000), 0);
}
