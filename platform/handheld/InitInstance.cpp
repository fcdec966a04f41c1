#include "platform/handheld/handheld_entry.h"

#include "notus/platform/ownerdrawWin32/app.h"
#include "winapi/device.h"

#include <cstdint>

namespace {
bool raised_running_instance = false;
}  // namespace

bool handheld::RaisedRunningInstance() { return raised_running_instance; }

bool InitInstance(HINSTANCE instance, int show_command) {
  using notus::impl::details::app;
  app::instance().set_module_instance(instance);

  // Before anything is made: a second start leaves no window, timer or
  // file behind.  The 1 brings the running window's owned windows along.
  if (const HWND running = FindWindowW(handheld::main_window_class, handheld::main_window_title)) {
    SetForegroundWindow(reinterpret_cast<HWND>(reinterpret_cast<std::uintptr_t>(running) | 1));
    raised_running_instance = true;
    return false;
  }

  WNDCLASSW window_class{};
  window_class.style = CS_VREDRAW | CS_HREDRAW;
  window_class.lpfnWndProc = &MainWindowProc;
  window_class.hInstance = instance;
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<LONG_PTR>(COLOR_WINDOW + 1));
  window_class.lpszClassName = handheld::main_window_class;
  RegisterClassW(&window_class);

  // At the screen's size from the start: the device's shrink to a 100 x 100
  // client area until the first form sizes it only made a window flash.
  const HWND window = CreateWindowExW(0, handheld::main_window_class, handheld::main_window_title, WS_VISIBLE, 0, 0,
                                      GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                                      instance, nullptr);
  if (!window) return false;
  app::instance().set_main_window(window);
  ShowWindow(window, show_command);
  UpdateWindow(window);
  // No edit exists yet; text input stays off until one does.
  winapi::device::SyncTextInput();
  return true;
}
