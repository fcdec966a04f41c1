// A stand-in for the game's main window, for widgets that lay themselves out
// on their size event: a window resized with notification sends the main
// window a size request, which this window answers as the host's window
// procedure does, by handing the window object a size event at once.
#pragma once

#include <gtest/gtest.h>

#include "notus/impl/event.h"
#include "notus/platform/ownerdrawWin32/app.h"
#include "notus/platform/ownerdrawWin32/virtual_window_controller.h"
#include "notus/platform/ownerdrawWin32/virtual_window_impl.h"
#include "notus/platform/ownerdrawWin32/winobj_virtual_window.h"
#include "winapi/windows.h"

namespace sizing_host {

inline LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message != notus::impl::message_size_event) return DefWindowProcW(window, message, wparam, lparam);
  using notus::impl::details::virtual_window_controller;
  auto* w = reinterpret_cast<notus::impl::details::winobj_virtual_window*>(lparam);
  virtual_window_controller* controller = virtual_window_controller::current();
  if (controller == nullptr || !controller->is_registered(w)) return 0;
  const RECT& r = w->rect();
  notus::impl::event<notus::traits> size(notus::impl::ev_size{0, r.right - r.left, r.bottom - r.top});
  controller->send_event(w, size);
  return 0;
}

// Makes the stand-in the application's main window; the application's
// release destroys it.
inline void install() {
  WNDCLASSW window_class{};
  window_class.lpfnWndProc = procedure;
  window_class.lpszClassName = L"SizingHost";
  RegisterClassW(&window_class);
  HWND main = CreateWindowExW(0, L"SizingHost", L"", 0, 0, 0, 1100, 300, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(main, nullptr);
  notus::impl::details::app::instance().set_main_window(main);
}

}  // namespace sizing_host
