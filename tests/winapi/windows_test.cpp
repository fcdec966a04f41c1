#include "layer_fixture.h"

#include "winapi/resources.h"
#include "winapi/window_registry.h"

#include <string>

using winapi_test::LayerTest;
using winapi_test::Received;

TEST_F(LayerTest, CreationSendsCreateWithTheParameterThenTheClientSize) {
  const CREATESTRUCTW* seen = nullptr;
  LPVOID param = nullptr;
  const HWND hwnd = MakeWindow({5, 6, 125, 86}, 0, nullptr, [&](HWND, UINT m, WPARAM, LPARAM l) -> LRESULT {
    if (m == WM_CREATE) {
      seen = reinterpret_cast<const CREATESTRUCTW*>(l);
      param = seen->lpCreateParams;
    }
    return 0;
  });
  ASSERT_NE(hwnd, nullptr);
  EXPECT_NE(param, nullptr);
  ASSERT_EQ(MessagesOf(hwnd), (std::vector<UINT>{WM_CREATE, WM_SIZE}));
  EXPECT_EQ(log[1].lParam, MAKELPARAM(120, 80));
  RECT client;
  ASSERT_TRUE(GetClientRect(hwnd, &client));
  EXPECT_EQ(client.right, 120);
  EXPECT_EQ(client.bottom, 80);
  RECT window;
  ASSERT_TRUE(GetWindowRect(hwnd, &window));  // no frame: the window is its client area
  EXPECT_EQ(window.left, 5);
  EXPECT_EQ(window.bottom, 86);
}

TEST_F(LayerTest, CreationFailsForUnknownClassesOrphanChildrenAndRefusingProcedures) {
  EXPECT_EQ(CreateWindowExW(0, L"No Such Class", L"", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr), nullptr);
  EXPECT_EQ(CreateWindowExW(0, L"test window", L"", WS_CHILD, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr),
            nullptr);
  HWND refused = nullptr;
  EXPECT_EQ(MakeWindow({0, 0, 10, 10}, 0, nullptr,
                       [&](HWND h, UINT m, WPARAM, LPARAM) -> LRESULT {
                         refused = h;
                         return m == WM_CREATE ? -1 : 0;
                       }),
            nullptr);
  EXPECT_FALSE(IsWindow(refused));
  WNDCLASSW again{};
  again.lpszClassName = L"TEST WINDOW";  // class names ignore case
  EXPECT_EQ(RegisterClassW(&again), 0);
}

TEST_F(LayerTest, ChildDefaultsToAnEmptyRectangle) {
  const HWND main = MakeWindow();
  const HWND child = CreateWindowExW(0, L"Test Window", L"", WS_CHILD | WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT,
                                     CW_USEDEFAULT, CW_USEDEFAULT, main, nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(child, nullptr);
  RECT r;
  GetWindowRect(child, &r);
  EXPECT_EQ(r.right - r.left, 0);
  EXPECT_EQ(GetParent(child), main);
}

TEST_F(LayerTest, MoveAndSetWindowPosSendSizeOnlyWhenTheClientSizeChanges) {
  const HWND hwnd = MakeWindow({0, 0, 100, 100}, 0);
  int sizes = 0;
  LPARAM lastSize = 0;
  for (const auto& [move, expectSize] : std::vector<std::pair<std::function<void()>, bool>>{
           {[&] { MoveWindow(hwnd, 412, 284, 100, 100, FALSE); }, false},
           {[&] { MoveWindow(hwnd, 412, 284, 300, 200, FALSE); }, true},
           {[&] { SetWindowPos(hwnd, nullptr, 7, 8, 1, 1, SWP_NOSIZE | SWP_NOZORDER); }, false},
           {[&] { SetWindowPos(hwnd, nullptr, 0, 0, 30, 40, SWP_NOMOVE | SWP_NOZORDER | SWP_NOOWNERZORDER); }, true},
       }) {
    log.clear();
    move();
    const auto messages = MessagesOf(hwnd);
    const bool sized = std::count(messages.begin(), messages.end(), WM_SIZE) == 1;
    EXPECT_EQ(sized, expectSize);
    if (sized) {
      ++sizes;
      lastSize = log.back().lParam;
    }
  }
  EXPECT_EQ(sizes, 2);
  EXPECT_EQ(lastSize, MAKELPARAM(30, 40));
  RECT r;
  GetWindowRect(hwnd, &r);
  EXPECT_EQ(r.left, 7);  // SWP_NOMOVE kept the place set before
  EXPECT_EQ(r.top, 8);
  EXPECT_EQ(r.right, 37);
}

TEST_F(LayerTest, SizeHandlerSeesTheNewClientSize) {
  // A back buffer made in WM_SIZE must match GetClientRect.
  RECT during{};
  const HWND hwnd = MakeWindow({0, 0, 100, 100}, 0, nullptr, [&](HWND h, UINT m, WPARAM, LPARAM) -> LRESULT {
    if (m == WM_SIZE) {
      GetClientRect(h, &during);
    }
    return 0;
  });
  MoveWindow(hwnd, 0, 0, 480, 640, FALSE);
  EXPECT_EQ(during.right, 480);
  EXPECT_EQ(during.bottom, 640);
}

TEST_F(LayerTest, DestroyWindowSendsDestroyParentFirstAndKillsTheHandles) {
  const HWND main = MakeWindow();
  const HWND child = MakeWindow({0, 0, 10, 10}, WS_VISIBLE, main);
  log.clear();
  EXPECT_TRUE(DestroyWindow(main));
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].hwnd, main);
  EXPECT_EQ(log[0].message, WM_DESTROY);
  EXPECT_EQ(log[1].hwnd, child);
  EXPECT_EQ(log[1].message, WM_DESTROY);
  EXPECT_FALSE(IsWindow(main));
  EXPECT_FALSE(IsWindow(child));
  EXPECT_FALSE(DestroyWindow(main));
  // A new window never gets a handle that was just freed.
  const HWND next = MakeWindow();
  EXPECT_NE(next, main);
  EXPECT_NE(next, child);
}

TEST_F(LayerTest, WindowIsStillAliveDuringItsDestroyMessage) {
  BOOL aliveDuringDestroy = FALSE;
  const HWND hwnd = MakeWindow({0, 0, 10, 10}, 0, nullptr, [&](HWND h, UINT m, WPARAM, LPARAM) -> LRESULT {
    if (m == WM_DESTROY) {
      aliveDuringDestroy = IsWindow(h);
      DestroyWindow(h);  // a second request while dying is refused
    }
    return 0;
  });
  DestroyWindow(hwnd);
  EXPECT_TRUE(aliveDuringDestroy);
  EXPECT_FALSE(IsWindow(hwnd));
}

// A child made while its parent is being torn down (here from a sibling's
// WM_DESTROY) would be left behind with a dead parent, alive for ever and
// shown nowhere: its creation is refused.
TEST_F(LayerTest, NoChildIsBornToAWindowThatIsBeingDestroyed) {
  const HWND main = MakeWindow();
  HWND late = nullptr;
  MakeWindow({0, 0, 10, 10}, WS_VISIBLE, main, [&](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
    if (m == WM_DESTROY) {
      late =
          CreateWindowExW(0, L"Test Window", L"", WS_CHILD | WS_VISIBLE, 0, 0, 5, 5, main, nullptr, nullptr, nullptr);
    }
    return DefWindowProcW(h, m, w, l);
  });
  DestroyWindow(main);
  EXPECT_FALSE(IsWindow(main));
  EXPECT_EQ(late, nullptr);
  EXPECT_FALSE(IsWindow(late));
}

TEST_F(LayerTest, FocusMovesWithKillAndSetFocusMessages) {
  const HWND main = MakeWindow();
  const HWND edit = MakeWindow({0, 0, 10, 10}, WS_VISIBLE, main);
  log.clear();
  EXPECT_EQ(SetFocus(main), nullptr);
  EXPECT_EQ(SetFocus(edit), main);
  EXPECT_EQ(GetFocus(), edit);
  EXPECT_EQ(SetFocus(edit), edit);  // no messages for the window that has it
  ASSERT_EQ(log.size(), 3u);
  EXPECT_EQ(log[0].hwnd, main);
  EXPECT_EQ(log[0].message, WM_SETFOCUS);
  EXPECT_EQ(log[1].hwnd, main);
  EXPECT_EQ(log[1].message, WM_KILLFOCUS);
  EXPECT_EQ(log[1].wParam, reinterpret_cast<WPARAM>(edit));
  EXPECT_EQ(log[2].hwnd, edit);
  EXPECT_EQ(log[2].message, WM_SETFOCUS);
  EXPECT_EQ(log[2].wParam, reinterpret_cast<WPARAM>(main));

  // The focused child goes: its parent takes the focus.
  log.clear();
  DestroyWindow(edit);
  EXPECT_EQ(GetFocus(), main);
  EXPECT_EQ(MessagesOf(main), std::vector<UINT>{WM_SETFOCUS});
  EXPECT_EQ(SetFocus(edit), nullptr);  // a dead window cannot take it
  EXPECT_EQ(GetFocus(), main);
}

namespace {

WNDPROC g_original = nullptr;
std::vector<std::string> g_chain;

LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_USER) {
    g_chain.push_back("subclass");
    return CallWindowProcW(g_original, hwnd, message, wParam, lParam) + 1;
  }
  return CallWindowProcW(g_original, hwnd, message, wParam, lParam);
}

}  // namespace

TEST_F(LayerTest, SubclassingChainsToTheSavedProcedure) {
  const HWND hwnd = MakeWindow({0, 0, 10, 10}, 0, nullptr, [](HWND, UINT m, WPARAM, LPARAM) -> LRESULT {
    if (m == WM_USER) {
      g_chain.push_back("original");
      return 41;
    }
    return 0;
  });
  g_chain.clear();
  g_original =
      reinterpret_cast<WNDPROC>(SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassProc)));
  ASSERT_NE(g_original, nullptr);
  EXPECT_EQ(GetWindowLongPtrW(hwnd, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&SubclassProc));
  EXPECT_EQ(SendMessageW(hwnd, WM_USER, 0, 0), 42);
  EXPECT_EQ(g_chain, (std::vector<std::string>{"subclass", "original"}));
  // Posted messages reach the subclass too.
  PostMessageW(hwnd, WM_USER, 0, 0);
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_USER, WM_USER, PM_REMOVE));
  EXPECT_EQ(DispatchMessageW(&msg), 42);
}

TEST_F(LayerTest, PropertiesBelongToTheirWindow) {
  const HWND a = MakeWindow({0, 0, 10, 10}, 0);
  const HWND b = MakeWindow({0, 0, 10, 10}, 0);
  int object = 0;
  EXPECT_TRUE(SetPropW(a, L"KMX POINTER", &object));
  EXPECT_EQ(GetPropW(a, L"KMX POINTER"), &object);
  EXPECT_EQ(GetPropW(b, L"KMX POINTER"), nullptr);
  EXPECT_EQ(GetPropW(a, L"other"), nullptr);
  DestroyWindow(a);
  EXPECT_EQ(GetPropW(a, L"KMX POINTER"), nullptr);
  EXPECT_FALSE(SetPropW(a, L"KMX POINTER", &object));
}

TEST_F(LayerTest, DefaultProcedureTurnsCloseCommandsIntoClose) {
  const HWND hwnd = MakeWindow({0, 0, 10, 10}, 0);
  log.clear();
  SendMessageW(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
  SendMessageW(hwnd, WM_SYSCOMMAND, SC_CLOSE | 2, 0);         // the low bits are the system's
  SendMessageW(hwnd, WM_SYSKEYDOWN, VK_F4, LPARAM{1} << 29);  // Alt+F4
  SendMessageW(hwnd, WM_SYSKEYDOWN, VK_F4, 0);                // F4 without Alt: nothing
  SendMessageW(hwnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  const auto messages = MessagesOf(hwnd);
  EXPECT_EQ(std::count(messages.begin(), messages.end(), WM_CLOSE), 3);
  EXPECT_TRUE(IsWindow(hwnd));  // closing is the procedure's decision
}

TEST_F(LayerTest, WindowTextRoundTripsAndTruncates) {
  const HWND hwnd = MakeWindow({0, 0, 10, 10}, 0);
  EXPECT_TRUE(SetWindowTextW(hwnd, L"Tavlin \u00e9\U0001F600"));
  EXPECT_EQ(GetWindowTextLengthW(hwnd), 9);
  wchar_t buffer[16];
  EXPECT_EQ(GetWindowTextW(hwnd, buffer, 16), 9);
  EXPECT_EQ(std::wstring(buffer), L"Tavlin \u00e9\U0001F600");
  EXPECT_EQ(GetWindowTextW(hwnd, buffer, 4), 3);
  EXPECT_EQ(std::wstring(buffer), L"Tav");

  // A window that is gone answers with nothing, and harmlessly.
  DestroyWindow(hwnd);
  buffer[0] = L'x';
  EXPECT_EQ(GetWindowTextW(hwnd, buffer, 16), 0);
  EXPECT_EQ(buffer[0], 0);
  EXPECT_EQ(GetWindowTextLengthW(hwnd), 0);
  EXPECT_FALSE(SetWindowTextW(hwnd, L"x"));
}

TEST_F(LayerTest, ClientAndScreenCoordinatesFollowTheParentChain) {
  const HWND main = MakeWindow({412, 284, 612, 384});
  const HWND child = MakeWindow({30, 40, 80, 60}, WS_VISIBLE, main);
  POINT p{5, 6};
  ASSERT_TRUE(ClientToScreen(child, &p));
  EXPECT_EQ(p.x, 412 + 30 + 5);
  EXPECT_EQ(p.y, 284 + 40 + 6);
  ASSERT_TRUE(ScreenToClient(main, &p));
  EXPECT_EQ(p.x, 35);
  EXPECT_EQ(p.y, 46);
}

TEST_F(LayerTest, ShowAndUpdateWindow) {
  const HWND hwnd = MakeWindow({0, 0, 10, 10}, 0);
  EXPECT_FALSE(IsWindowVisible(hwnd));
  log.clear();
  UpdateWindow(hwnd);
  EXPECT_TRUE(log.empty());  // nothing to paint
  EXPECT_FALSE(ShowWindow(hwnd, SW_SHOW));
  EXPECT_TRUE(ShowWindow(hwnd, SW_SHOW));
  EXPECT_TRUE(IsWindowVisible(hwnd));
  UpdateWindow(hwnd);  // shown, so invalid: painted at once
  EXPECT_EQ(MessagesOf(hwnd), std::vector<UINT>{WM_PAINT});
  RECT update;
  EXPECT_FALSE(GetUpdateRect(hwnd, &update, FALSE));  // the default procedure validated it
}

TEST_F(LayerTest, StringTableAnswersLoadString) {
  winapi::SetStringResource(2000, L"Tavlin - Kestrel Mill");
  wchar_t title[200];
  EXPECT_EQ(LoadStringW(nullptr, 2000, title, 200), 21);
  EXPECT_EQ(std::wstring(title), L"Tavlin - Kestrel Mill");
  wchar_t small[7];
  EXPECT_EQ(LoadStringW(nullptr, 2000, small, 7), 6);
  EXPECT_EQ(std::wstring(small), L"Tavlin");
  EXPECT_EQ(LoadStringW(nullptr, 2001, title, 200), 0);
  EXPECT_EQ(title[0], 0);
}

TEST_F(LayerTest, MessageBoxesAreRecordedAndAnsweredByTheHook) {
  EXPECT_EQ(MessageBoxW(nullptr, L"There is no active user!", L"Kestrel Mill", MB_ICONERROR), IDOK);
  EXPECT_EQ(MessageBoxW(nullptr, L"Overwrite?", L"Save", MB_YESNO | MB_ICONEXCLAMATION), IDYES);
  std::wstring asked;
  winapi::headless::SetMessageBoxHook([&](const winapi::headless::MessageBoxRecord& box) {
    asked = box.text;
    return IDNO;
  });
  EXPECT_EQ(MessageBoxW(nullptr, L"Overwrite?", L"Save", MB_YESNO), IDNO);
  EXPECT_EQ(asked, L"Overwrite?");

  const auto& boxes = winapi::headless::MessageBoxes();
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(boxes[0].text, L"There is no active user!");
  EXPECT_EQ(boxes[0].caption, L"Kestrel Mill");
  EXPECT_EQ(boxes[0].type, MB_ICONERROR);
}

TEST_F(LayerTest, ScreenMetricsAndClassCursorComeFromTheBackend) {
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
  winapi::headless::SetScreenSize(240, 320);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 240);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 320);

  const HWND hwnd = MakeWindow();
  const HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
  const HCURSOR hand = LoadCursorW(nullptr, IDC_HAND);
  ASSERT_NE(arrow, nullptr);
  ASSERT_NE(hand, nullptr);
  EXPECT_EQ(winapi::StandardCursorId(hand), 32649u);
  SetClassLongPtrW(hwnd, GCL_HCURSOR, reinterpret_cast<LONG_PTR>(arrow));
  const auto previous = SetClassLongPtrW(hwnd, GCL_HCURSOR, reinterpret_cast<LONG_PTR>(hand));
  EXPECT_EQ(previous, reinterpret_cast<ULONG_PTR>(arrow));
  EXPECT_EQ(winapi::headless::WindowCursor(hwnd), hand);
  EXPECT_EQ(GetClassLongPtrW(hwnd, GCL_HCURSOR), reinterpret_cast<ULONG_PTR>(hand));
  EXPECT_EQ(LoadCursorW(nullptr, MAKEINTRESOURCEW(1)), nullptr);
}

TEST_F(LayerTest, ChildZOrderFollowsSetWindowPos) {
  const HWND main = MakeWindow();
  const HWND lower = MakeWindow({0, 0, 50, 50}, WS_VISIBLE, main);
  const HWND upper = MakeWindow({0, 0, 50, 50}, WS_VISIBLE, main);
  EXPECT_EQ(winapi::WindowFromClientPoint(main, POINT{5, 5}), upper);
  SetWindowPos(lower, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_EQ(winapi::WindowFromClientPoint(main, POINT{5, 5}), lower);
  ShowWindow(lower, SW_HIDE);
  EXPECT_EQ(winapi::WindowFromClientPoint(main, POINT{5, 5}), upper);
  EXPECT_EQ(winapi::WindowFromClientPoint(main, POINT{60, 5}), main);
}

TEST_F(LayerTest, SystemClassesNeedNoRegistrationAndOutliveAReset) {
  auto system = std::make_shared<winapi::core::WindowClass>();
  system->name = L"TestSystemClass";
  system->proc = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
    return m == WM_USER ? 7 : DefWindowProcW(h, m, w, l);
  };
  winapi::core::AddSystemClass(system);
  winapi::headless::Reset();
  const HWND hwnd = CreateWindowExW(0, L"testsystemclass", L"", 0, 0, 0, 5, 5, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(hwnd, nullptr);
  EXPECT_EQ(SendMessageW(hwnd, WM_USER, 0, 0), 7);
}
