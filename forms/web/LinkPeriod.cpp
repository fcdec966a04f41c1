#include "forms/web/LinkPeriod.h"

#include "notus/platform/ownerdrawWin32/app.h"
#include "notus/platform/ownerdrawWin32/virtual_window_controller.h"
#include "notus/platform/ownerdrawWin32/wake_up_timer.h"
#include "winapi/windows.h"

namespace {

constexpr DWORD kMillisecondsPerSecond = 1000;

// The class cursor of the main window's class, the hand while it lives.
class HandCursor {
 public:
  explicit HandCursor(HWND window) : m_window(window) {
    if (m_window) {
      m_previous = SetClassLongPtrW(m_window, GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(LoadCursorW(nullptr, IDC_HAND)));
    }
  }
  HandCursor(const HandCursor&) = delete;
  HandCursor& operator=(const HandCursor&) = delete;
  ~HandCursor() {
    if (m_window) SetClassLongPtrW(m_window, GCLP_HCURSOR, static_cast<LONG_PTR>(m_previous));
  }

 private:
  HWND m_window;
  ULONG_PTR m_previous = 0;
};

}  // namespace

void RunLinkPeriod(const std::wstring& page, unsigned seconds) {
  using notus::impl::details::app;
  if (seconds == 0) return;
  const notus::impl::details::virtual_window_controller period_controller;
  const HandCursor hand(app::instance().main_window());

  const DWORD start_second = GetTickCount() / kMillisecondsPerSecond;
  const auto over = [&] { return GetTickCount() / kMillisecondsPerSecond - start_second >= seconds; };
  const notus::impl::details::wake_up_timer wake_up((start_second + seconds) * kMillisecondsPerSecond - GetTickCount());

  // One message at a time, and a sleep in WaitMessage between them rather
  // than a loop of empty peeks, which would keep a core busy for the whole
  // period.
  MSG msg{};
  bool quit = false;
  bool opened = false;
  bool clicked = false;
  while (!clicked && !over()) {
    if (!WaitMessage()) break;  // nothing can ever come
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) continue;
    if (msg.message == WM_QUIT) {
      quit = true;
      break;
    }
    // One page per period: a player who clicks again while the browser
    // starts would otherwise get a browser (or a tab) per click.  The
    // period lasts until that button is released, so the release does not
    // reach a form that never saw the press.
    if (msg.message == WM_LBUTTONDOWN && !opened) {
      ShellExecuteW(nullptr, L"open", page.c_str(), nullptr, nullptr, SW_SHOW);
      opened = true;
    }
    clicked = opened && msg.message == WM_LBUTTONUP;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  if (quit) PostQuitMessage(static_cast<int>(msg.wParam));
}
