#include "platform/host/host_common.h"

#include "notus/impl/event.h"
#include "notus/platform/ownerdrawWin32/app.h"
#include "notus/platform/ownerdrawWin32/invalid_rect.h"
#include "notus/platform/ownerdrawWin32/native_control.h"
#include "notus/platform/ownerdrawWin32/paint_timer.h"
#include "notus/platform/ownerdrawWin32/platform_assert.h"
#include "notus/platform/ownerdrawWin32/virtual_window_controller.h"
#include "notus/platform/ownerdrawWin32/virtual_window_impl.h"
#include "notus/platform/ownerdrawWin32/winobj_virtual_window.h"

namespace {

using notus::traits;
using notus::impl::event;
using notus::impl::details::app;
using notus::impl::details::virtual_window_controller;
using notus::impl::details::winobj_virtual_window;

constexpr UINT kIgnoredUserMessage = WM_USER + 3;

event<traits> event_from(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return event<traits>(MSG{window, message, wParam, lParam, GetTickCount(), POINT{0, 0}});
}

winobj_virtual_window* window_object(LPARAM lParam) { return reinterpret_cast<winobj_virtual_window*>(lParam); }

void show_back_buffer(HWND window) {
  PAINTSTRUCT paint{};
  if (!BeginPaint(window, &paint)) return;
  if (const auto& buffer = app::instance().back_buffer())
    buffer->blit(paint.hdc, paint.rcPaint, POINT{paint.rcPaint.left, paint.rcPaint.top});
  EndPaint(window, &paint);
}

// The window object of the main window's frame among the current
// controller's windows, or null (while a dialog runs it is not among them,
// and a form must not be built into the dialog's controller).
winobj_virtual_window* frame_object(const virtual_window_controller& controller) {
  for (winobj_virtual_window* w : controller.tab_order())
    if (w->is_main_window()) return w;
  return nullptr;
}

// A show-form command posts this to reach its window object; lParam 0 names
// the main window's frame.
void deliver_deferred(LPARAM lParam) {
  if (virtual_window_controller* controller = virtual_window_controller::current()) {
    event<traits> e(notus::impl::ev_deferred{0, 0});
    controller->send_event(lParam ? window_object(lParam) : frame_object(*controller), e);
  }
}

// A window resized with notification gets its size event at once.  Only a
// registered window is looked at: lParam may name one that is gone.
void deliver_size(LPARAM lParam) {
  virtual_window_controller* controller = virtual_window_controller::current();
  winobj_virtual_window* w = window_object(lParam);
  if (!controller || !controller->is_registered(w)) return;
  const RECT& r = w->rect();
  event<traits> e(notus::impl::ev_size{0, r.right - r.left, r.bottom - r.top});
  controller->send_event(w, e);
}

// A native control subclassed by its window object: the control acts first,
// then its window object sees the same message.
LRESULT subclassed_control_proc(bool check_owner, winobj_virtual_window* w, HWND window, UINT message, WPARAM wParam,
                                LPARAM lParam) {
  if (!IsWindow(w->native_window())) return DefWindowProcW(window, message, wParam, lParam);
  if (check_owner)
    notus::impl::details::platform_assert(w->native_window() == window, "w->Syshnd() == hWnd", "app", 353);
  const WNDPROC own = w->saved_window_procedure();
  const LRESULT result = own ? CallWindowProcW(own, window, message, wParam, lParam) : 0;
  if (virtual_window_controller* controller = virtual_window_controller::current()) {
    event<traits> e = event_from(window, message, wParam, lParam);
    controller->dispatch_to_window(e);
  }
  return result;
}

}  // namespace

namespace host {

LRESULT MainWindowProcOf(const WindowProcVariant& variant, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (HANDLE owner = GetPropW(window, notus::impl::details::native_control_property))
    return subclassed_control_proc(variant.check_subclassed_owner, static_cast<winobj_virtual_window*>(owner), window,
                                   message, wParam, lParam);
  const HWND main_window = app::instance().main_window();
  if (main_window && window != main_window) return DefWindowProcW(window, message, wParam, lParam);

  switch (message) {
    case WM_ACTIVATE: return variant.activate ? variant.activate(window, wParam, lParam) : 0;
    case WM_CREATE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_SETTINGCHANGE:
    case kIgnoredUserMessage: return 0;
    case WM_SIZE: {
      const int width = LOWORD(static_cast<DWORD_PTR>(lParam));
      const int height = HIWORD(static_cast<DWORD_PTR>(lParam));
      app::resize_back_buffer(width, height);
      notus::impl::details::add_invalid_rect(RECT{0, 0, width, height});
      return 0;
    }
    case WM_PAINT: show_back_buffer(window); return 0;
    case WM_CLOSE: PostQuitMessage(0); return 0;
    case notus::impl::message_paint_now: notus::impl::details::PaintAndPresent(window, false); return 0;
    case notus::impl::message_deferred: deliver_deferred(lParam); return 0;
    case notus::impl::message_size_event: deliver_size(lParam); return 0;
    default: break;
  }
  if (virtual_window_controller* controller = virtual_window_controller::current()) {
    event<traits> e = event_from(window, message, wParam, lParam);
    controller->dispatch(e);
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace host
