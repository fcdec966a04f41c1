#include "notus/platform/ownerdrawWin32/virtual_window_impl.h"

#include <vector>

#include "notus/platform/ownerdrawWin32/paint_surface.h"
#include "notus/platform/ownerdrawWin32/virtual_window_controller.h"
#include "notus/platform/ownerdrawWin32/winobj_virtual_window.h"

namespace notus::impl {

namespace {

using details::virtual_window_controller;
using details::winobj_virtual_window;
using impl_type = virtual_window_impl<traits>;

winobj_virtual_window& object(const impl_type::handle_type& h) { return *h.get(); }

HWND main_window() { return current_paint_surface().main_window; }

LPARAM as_lparam(const impl_type::handle_type& h) { return reinterpret_cast<LPARAM>(h.get()); }

template <class Move>
bool move_focus(const impl_type::handle_type& h, Move move) {
  virtual_window_controller* c = object(h).controller();
  return c && (c->*move)();
}

}  // namespace

void impl_type::set_text(const handle_type& h, const std::wstring& text) {
  if (const HWND native = object(h).native_window()) SetWindowTextW(native, text.c_str());
}

std::wstring impl_type::get_text(const handle_type& h) {
  const HWND native = object(h).native_window();
  if (!native) return {};
  const int length = GetWindowTextLengthW(native);
  if (length <= 0) return {};
  std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1);
  const int copied = GetWindowTextW(native, buffer.data(), static_cast<int>(buffer.size()));
  return std::wstring(buffer.data(), copied > 0 ? static_cast<std::size_t>(copied) : 0);
}

impl_type::size_type impl_type::size(const handle_type& h) {
  const RECT& r = object(h).rect();
  return {r.right - r.left, r.bottom - r.top};
}

impl_type::rect_type impl_type::rect(const handle_type& h) {
  const RECT& r = object(h).rect();
  return {r.left, r.top, r.right, r.bottom};
}

void impl_type::resize(const handle_type& h, const size_type& new_size, bool notify) {
  object(h).resize(new_size.width, new_size.height);
  if (notify && main_window()) SendMessageW(main_window(), message_size_event, 0, as_lparam(h));
}

void impl_type::move(const handle_type& h, const point_type& top_left) { object(h).move(top_left.x, top_left.y); }

void impl_type::invalidate(const handle_type& h) { object(h).set_dirty(true); }

void impl_type::invalidate(const handle_type& h, const rect_type&) { invalidate(h); }

void impl_type::update(const handle_type& h) {
  object(h).set_dirty(true);
  if (main_window()) SendMessageW(main_window(), message_paint_now, 0, 0);
}

void impl_type::capture(const handle_type& h) {
  if (virtual_window_controller* c = object(h).controller()) c->capture(h.get());
}

void impl_type::release_capture(const handle_type& h) {
  if (virtual_window_controller* c = object(h).controller()) c->release_capture(h.get());
}

bool impl_type::has_capture(const handle_type& h) {
  virtual_window_controller* c = object(h).controller();
  return c && c->capturing() == h.get();
}

bool impl_type::has_focus(const handle_type& h) { return object(h).focused(); }

bool impl_type::set_focus(const handle_type& h) {
  virtual_window_controller* c = object(h).controller();
  return c && c->set_focus(h.get());
}

void impl_type::show(const handle_type& h) { object(h).show(); }
void impl_type::hide(const handle_type& h) { object(h).hide(); }
void impl_type::enable(const handle_type& h) { object(h).enable(); }
void impl_type::disable(const handle_type& h) { object(h).disable(); }
bool impl_type::is_enabled(const handle_type& h) { return object(h).enabled(); }

void impl_type::post_message(const handle_type& h, UINT message, LPARAM, WPARAM wparam) {
  if (main_window()) PostMessageW(main_window(), message, wparam, as_lparam(h));
}

void impl_type::set_tab_index(const handle_type& h, int index) { object(h).set_tab_index(index); }
void impl_type::set_order_index(const handle_type& h, int index) { object(h).set_order_index(index); }
void impl_type::set_z_order(const handle_type& h, int z) { object(h).set_z_order(z); }

bool impl_type::focus_next_tab(const handle_type& h) {
  return move_focus(h, &virtual_window_controller::focus_next_tab);
}
bool impl_type::focus_prev_tab(const handle_type& h) {
  return move_focus(h, &virtual_window_controller::focus_prev_tab);
}
bool impl_type::focus_next_in_group(const handle_type& h) {
  return move_focus(h, &virtual_window_controller::focus_next_in_group);
}
bool impl_type::focus_prev_in_group(const handle_type& h) {
  return move_focus(h, &virtual_window_controller::focus_prev_in_group);
}

}  // namespace notus::impl
