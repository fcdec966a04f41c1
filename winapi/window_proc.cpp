// Window procedures, subclassing, per-window data and the default handling
// of messages that no procedure took.
#include "winapi/backend.h"
#include "winapi/window_registry.h"

#include <algorithm>
#include <cwchar>

using namespace winapi::core;

namespace {

// Alt held while the key went down: bit 29 of a key message's lParam.
constexpr LPARAM kContextCodeBit = LPARAM{1} << 29;

LRESULT StoreText(HWND hwnd, LPCWSTR text) {
  Window* window = LookupWindow(hwnd);
  if (window == nullptr) {
    return FALSE;
  }
  window->text = text != nullptr ? text : L"";
  if (window->IsTopLevel()) {
    winapi::CurrentBackend().WindowTextChanged(hwnd);
  }
  return TRUE;
}

LRESULT CopyText(HWND hwnd, WPARAM capacity, LPWSTR buffer) {
  const Window* window = LookupWindow(hwnd);
  if (window == nullptr || buffer == nullptr || capacity == 0) {
    return 0;
  }
  const std::size_t count = std::min<std::size_t>(window->text.size(), capacity - 1);
  std::wmemcpy(buffer, window->text.data(), count);
  buffer[count] = 0;
  return static_cast<LRESULT>(count);
}

}  // namespace

LRESULT DefWindowProcW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SYSCOMMAND:
      // The low four bits of the command belong to the system.
      if ((wParam & 0xFFF0) == SC_CLOSE) {
        SendMessageW(hwnd, WM_CLOSE, 0, 0);
      }
      return 0;
    case WM_SYSKEYDOWN:
      if (wParam == VK_F4 && (lParam & kContextCodeBit) != 0) {
        SendMessageW(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
      }
      return 0;
    case WM_SETTEXT: return StoreText(hwnd, reinterpret_cast<LPCWSTR>(lParam));
    case WM_GETTEXT: return CopyText(hwnd, wParam, reinterpret_cast<LPWSTR>(lParam));
    case WM_GETTEXTLENGTH: {
      const Window* window = LookupWindow(hwnd);
      return window == nullptr ? 0 : static_cast<LRESULT>(window->text.size());
    }
    case WM_PAINT: {
      PAINTSTRUCT paint;
      if (BeginPaint(hwnd, &paint) != nullptr) {
        EndPaint(hwnd, &paint);
      }
      return 0;
    }
    default: return 0;
  }
}

LRESULT CallWindowProcW(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return proc != nullptr ? proc(hwnd, message, wParam, lParam) : DefWindowProcW(hwnd, message, wParam, lParam);
}

LONG_PTR SetWindowLongPtrW(HWND hwnd, int index, LONG_PTR value) {
  Window* window = LookupWindow(hwnd);
  if (window == nullptr) {
    return 0;
  }
  LONG_PTR previous = 0;
  switch (index) {
    case GWLP_WNDPROC:
      previous = reinterpret_cast<LONG_PTR>(window->proc);
      window->proc = reinterpret_cast<WNDPROC>(value);
      break;
    case GWLP_USERDATA:
      previous = window->userData;
      window->userData = value;
      break;
    default: break;
  }
  return previous;
}

LONG_PTR GetWindowLongPtrW(HWND hwnd, int index) {
  const Window* window = LookupWindow(hwnd);
  if (window == nullptr) {
    return 0;
  }
  switch (index) {
    case GWLP_WNDPROC: return reinterpret_cast<LONG_PTR>(window->proc);
    case GWLP_USERDATA: return window->userData;
    default: return 0;
  }
}

ULONG_PTR SetClassLongPtrW(HWND hwnd, int index, LONG_PTR value) {
  const Window* window = LookupWindow(hwnd);
  if (window == nullptr || index != GCL_HCURSOR) {
    return 0;
  }
  WindowClass& windowClass = *window->windowClass;
  const auto previous = reinterpret_cast<ULONG_PTR>(windowClass.cursor);
  windowClass.cursor = reinterpret_cast<HCURSOR>(value);
  // Every window of the class shows the new cursor.
  for (const HWND other : AllWindows()) {
    const Window* candidate = LookupWindow(other);
    if (candidate->windowClass.get() == &windowClass && candidate->IsTopLevel()) {
      winapi::CurrentBackend().WindowCursorChanged(other, windowClass.cursor);
    }
  }
  return previous;
}

ULONG_PTR GetClassLongPtrW(HWND hwnd, int index) {
  const Window* window = LookupWindow(hwnd);
  if (window == nullptr || index != GCL_HCURSOR) {
    return 0;
  }
  return reinterpret_cast<ULONG_PTR>(window->windowClass->cursor);
}

BOOL SetPropW(HWND hwnd, LPCWSTR name, HANDLE data) {
  Window* window = LookupWindow(hwnd);
  if (window == nullptr || name == nullptr || IS_INTRESOURCE(name)) {
    return FALSE;
  }
  window->properties[name] = data;
  return TRUE;
}

HANDLE GetPropW(HWND hwnd, LPCWSTR name) {
  const Window* window = LookupWindow(hwnd);
  if (window == nullptr || name == nullptr || IS_INTRESOURCE(name)) {
    return nullptr;
  }
  const auto found = window->properties.find(name);
  return found == window->properties.end() ? nullptr : found->second;
}
