// The operations that displays and strategies call on a virtual window, each
// taking the display's handle.  Sorting, capture and focus act on the
// controller the window registered with, so a window of the root controller
// touched while a dialog runs never lands in the dialog's lists.
#pragma once

#include <memory>
#include <string>

#include "notus/details/handle.h"
#include "notus/geometry.h"
#include "notus/impl/event.h"
#include "notus/shared_connection.h"
#include "notus/traits.h"
#include "ttl/function.h"
#include "winapi/windows.h"

namespace notus::impl {

namespace details {
class winobj_virtual_window;
}

// Asks the host for an immediate paint pass and copy to the screen.
inline constexpr UINT message_paint_now = WM_USER + 4;
// Carries a deferred event to the window object named by lParam.
inline constexpr UINT message_deferred = WM_USER + 5;
// Makes a size event for the window object named by lParam.
inline constexpr UINT message_size_event = WM_USER + 6;

template <class Traits>
struct virtual_window_impl;

template <>
struct virtual_window_impl<traits> {
  using handle_type = notus::details::handle;
  using platform_event = event<traits>;
  using rect_type = notus::rect<traits>;
  using size_type = notus::size<traits>;
  using point_type = notus::point<traits>;

  // A new window object registered with the current controller, hidden.
  // Throws std::invalid_argument "m_virtualWindowController is NULL! " when
  // there is no current controller.
  static std::shared_ptr<details::winobj_virtual_window> make_virtual_window(unsigned flags);

  // Connects slot to the window object's event signal; the connection lives
  // as long as the returned shared connection.  Throws ttl::sig::exception
  // when the handle holds no window object that raises events.
  static shared_connection<> connect_platform_signal(const handle_type& h,
                                                     ttl::func::function1<void, platform_event&> slot);

  // The text of the native window (the caption, for the main window's frame).
  static void set_text(const handle_type& h, const std::wstring& text);
  static std::wstring get_text(const handle_type& h);

  static size_type size(const handle_type& h);
  static rect_type rect(const handle_type& h);
  // With notify, the window receives a size event before this returns.
  static void resize(const handle_type& h, const size_type& size, bool notify);
  static void move(const handle_type& h, const point_type& top_left);

  // Painted at the next paint pass; the whole window, whatever r says.
  static void invalidate(const handle_type& h);
  static void invalidate(const handle_type& h, const rect_type& r);
  // Painted and shown before this returns.
  static void update(const handle_type& h);

  static void capture(const handle_type& h);
  static void release_capture(const handle_type& h);
  static bool has_capture(const handle_type& h);

  static bool has_focus(const handle_type& h);
  static bool set_focus(const handle_type& h);

  static void show(const handle_type& h);
  static void hide(const handle_type& h);
  static void enable(const handle_type& h);
  static void disable(const handle_type& h);
  static bool is_enabled(const handle_type& h);

  // Posts message to the main window with wParam and the window object as
  // lParam; the second argument is not sent.
  static void post_message(const handle_type& h, UINT message, LPARAM unused, WPARAM wparam);

  static void set_tab_index(const handle_type& h, int index);
  static void set_order_index(const handle_type& h, int index);
  static void set_z_order(const handle_type& h, int z);

  // The focus moves of the window's controller; false when it has none.
  static bool focus_next_tab(const handle_type& h);
  static bool focus_prev_tab(const handle_type& h);
  static bool focus_next_in_group(const handle_type& h);
  static bool focus_prev_in_group(const handle_type& h);
};

}  // namespace notus::impl
