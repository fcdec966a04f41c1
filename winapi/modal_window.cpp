#include "winapi/modal_window.h"

#include "winapi/backend.h"
#include "winapi/default_font.h"
#include "winapi/window_registry.h"

#include <algorithm>
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

// `start` moved as little as needed for [start, start + length) to lie in
// [low, high), or `low` when it cannot.
LONG Inside(LONG start, LONG length, LONG low, LONG high) { return std::max(low, std::min(start, high - length)); }

ModalLoopEnd LoopUntilFinished(HWND window, const std::function<bool()>& finished,
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
  return end;
}

void CloseModalWindow(HWND window, HWND previousFocus) {
  DestroyWindow(window);
  if (previousFocus != nullptr && IsWindow(previousFocus)) {
    SetFocus(previousFocus);
  }
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

RECT ModalDisplay(const RECT& room) {
  return CurrentBackend().DisplayAreaAt(
      POINT{room.left + (room.right - room.left) / 2, room.top + (room.bottom - room.top) / 2});
}

POINT PlaceModalWindow(const RECT& room, SIZE size, const RECT& display) {
  const LONG centredX = room.left + (room.right - room.left - size.cx) / 2;
  const LONG centredY = room.top + (room.bottom - room.top - size.cy) / 2;
  return POINT{Inside(centredX, size.cx, display.left, display.right),
               Inside(centredY, size.cy, display.top, display.bottom)};
}

int ScaledToText(int pixels, int lineHeight) {
  return pixels * std::max(lineHeight, kDefaultLineHeight) / kDefaultLineHeight;
}

void DrawModalFrame(const PixelView& view, const RECT& r, std::uint32_t fill, int thickness) {
  FillPixels(view, r, kModalFrame);
  FillPixels(view, RECT{r.left + thickness, r.top + thickness, r.right - thickness, r.bottom - thickness}, fill);
}

void DrawModalFocus(const PixelView& view, const RECT& button, int thickness) {
  const int inset = 2 * thickness;
  const RECT ring{button.left + inset, button.top + inset, button.right - inset, button.bottom - inset};
  FillPixels(view, ring, kModalFocus);
  FillPixels(view, RECT{ring.left + inset, ring.top + inset, ring.right - inset, ring.bottom - inset}, kModalButton);
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
  try {
    end = LoopUntilFinished(window, finished, handled);
  } catch (...) {
    CloseModalWindow(window, previousFocus);
    throw;
  }
  CloseModalWindow(window, previousFocus);
  if (end.quitCode) {
    PostQuitMessage(*end.quitCode);
  }
  return end;
}

}  // namespace winapi::core
