#include "winapi/modal_window.h"

#include "winapi/window_registry.h"

#include <memory>

namespace winapi::core {
namespace {

bool IsInput(UINT message) {
  return (message >= WM_KEYFIRST && message <= WM_KEYLAST) || (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
         message == WM_SYSCOMMAND;
}

bool IsButtonPress(UINT message) {
  return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN;
}

}  // namespace

void AddModalWindowClass(LPCWSTR name, WNDPROC proc) {
  auto windowClass = std::make_shared<WindowClass>();
  windowClass->name = name;
  windowClass->proc = proc;
  windowClass->cursor = LoadCursorW(nullptr, IDC_ARROW);
  AddSystemClass(std::move(windowClass));
}

RECT ModalRoom(HWND owner) {
  RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (owner != nullptr) {
    GetWindowRect(owner, &area);
  }
  return area;
}

void DrawModalFrame(const PixelView& view, const RECT& r, std::uint32_t fill, int thickness) {
  FillPixels(view, r, kModalFrame);
  FillPixels(view, RECT{r.left + thickness, r.top + thickness, r.right - thickness, r.bottom - thickness}, fill);
}

void DrawModalFocus(const PixelView& view, const RECT& button) {
  const RECT ring{button.left + 2, button.top + 2, button.right - 2, button.bottom - 2};
  FillPixels(view, ring, kModalFocus);
  FillPixels(view, RECT{ring.left + 2, ring.top + 2, ring.right - 2, ring.bottom - 2}, kModalButton);
}

bool PartContains(const RECT& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

SIZE ScreenTextExtent(const std::wstring& text) {
  SIZE extent{0, 0};
  const HDC screen = GetDC(nullptr);
  GetTextExtentPoint32W(screen, text.c_str(), static_cast<int>(text.size()), &extent);
  ReleaseDC(nullptr, screen);
  return extent;
}

ModalLoopEnd RunModalLoop(HWND window, HWND previousFocus, const std::function<bool()>& finished,
                          const std::function<bool(const MSG& msg)>& handled) {
  ModalLoopEnd end;
  while (!finished()) {
    MSG msg;
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      end.quitCode = static_cast<int>(msg.wParam);
      break;
    }
    if (got < 0) {
      end.failed = true;
      break;
    }
    if (IsInput(msg.message) && TopLevelOf(msg.hwnd) != window) {
      // Another window's input: dropped while the modal window is up.  A
      // player who clicks there is looking for it.
      if (IsButtonPress(msg.message)) {
        SetForegroundWindow(window);
      }
    } else if (!handled(msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  DestroyWindow(window);
  if (previousFocus != nullptr && IsWindow(previousFocus)) {
    SetFocus(previousFocus);
  }
  if (end.quitCode) {
    PostQuitMessage(*end.quitCode);
  }
  return end;
}

}  // namespace winapi::core
