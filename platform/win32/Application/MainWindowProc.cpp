#include "platform/host/host_common.h"
#include "platform/win32/Application/app_entry.h"

// The desktop ignores activation and checks that a subclassed control's
// owner names that control.
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  static constexpr host::WindowProcVariant desktop_variant{};
  return host::MainWindowProcOf(desktop_variant, window, message, wParam, lParam);
}
