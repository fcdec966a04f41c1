#include "platform/handheld/handheld_entry.h"
#include "platform/host/host_common.h"

namespace {

LRESULT activate(HWND window, WPARAM wParam, LPARAM) {
  SHFullScreen(window, LOWORD(wParam) != 0 ? handheld::shell_hidden_state : handheld::shell_shown_state);
  return 0;
}

}  // namespace

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  static constexpr host::WindowProcVariant handheld_variant{&activate, false};
  return host::MainWindowProcOf(handheld_variant, window, message, wParam, lParam);
}
