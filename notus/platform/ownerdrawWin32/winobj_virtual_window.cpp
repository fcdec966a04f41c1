#include "notus/platform/ownerdrawWin32/winobj_virtual_window.h"

#include <stdexcept>

#include "notus/platform/ownerdrawWin32/invalid_rect.h"
#include "notus/platform/ownerdrawWin32/native_control.h"
#include "notus/platform/ownerdrawWin32/paint_surface.h"
#include "notus/platform/ownerdrawWin32/virtual_window_controller.h"

namespace notus::impl::details {

namespace {

constexpr unsigned never_takes_focus = winobj_virtual_window::flag_never_focused | winobj_virtual_window::flag_listener;

}  // namespace

winobj_virtual_window::winobj_virtual_window(unsigned flags)
    : m_focusable((flags & never_takes_focus) == 0), m_flags(flags), m_listener((flags & flag_listener) != 0) {
  virtual_window_controller* controller = virtual_window_controller::current();
  // Checked before the native control exists, so a refusal leaves nothing
  // behind.
  if (!controller) throw std::invalid_argument("m_virtualWindowController is NULL! ");
  const HWND main_window = current_paint_surface().main_window;
  if (flags & flag_main_window) m_nativeWindow = main_window;
  if (flags & flag_native_edit) {
    const native_control control = create_native_edit(main_window, this);
    m_nativeWindow = control.window;
    m_savedWindowProcedure = control.saved_procedure;
  }
  try {
    controller->add_window(this);
  } catch (...) {
    controller->remove_window(this);
    if (flags & flag_native_edit) destroy_native_edit(m_nativeWindow);
    throw;
  }
}

winobj_virtual_window::~winobj_virtual_window() {
  add_invalid_rect(m_rect);
  // Every stacked controller may point at this window (a window of the root
  // dies while a dialog's controller is current); none may keep a pointer.
  bool owner_seen = false;
  for (auto* c = virtual_window_controller::current(); c; c = c->previous()) {
    owner_seen = owner_seen || c == m_controller;
    c->remove_window(this);
  }
  if (m_controller && !owner_seen) m_controller->remove_window(this);
  if (m_nativeWindow && !is_main_window()) destroy_native_edit(m_nativeWindow);
}

void winobj_virtual_window::handle_event(event<traits>&) {}

bool winobj_virtual_window::contains(int x, int y) const {
  return m_rect.left <= x && x < m_rect.right && m_rect.top <= y && y < m_rect.bottom;
}

void winobj_virtual_window::resize(int width, int height) {
  // A window that shrinks leaves pixels behind that nobody else repaints.
  if (m_visible) add_invalid_rect(m_rect);
  m_rect.right = m_rect.left + width;
  m_rect.bottom = m_rect.top + height;
  m_dirty = true;
  if (is_main_window())
    resize_main_window(width, height);
  else if (m_nativeWindow)
    SetWindowPos(m_nativeWindow, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOOWNERZORDER);
}

// The main window is grown or shrunk so that its client area gets the size,
// and centred on the screen.
void winobj_virtual_window::resize_main_window(int width, int height) {
  if (!m_nativeWindow) return;
  RECT client{};
  RECT outer{};
  if (!GetClientRect(m_nativeWindow, &client) || !GetWindowRect(m_nativeWindow, &outer)) return;
  const int client_width = client.right - client.left;
  const int client_height = client.bottom - client.top;
  if (client_width == width && client_height == height) return;
  const int new_width = (outer.right - outer.left) + (width - client_width);
  const int new_height = (outer.bottom - outer.top) + (height - client_height);
  ShowWindow(m_nativeWindow, SW_HIDE);
  MoveWindow(m_nativeWindow, (GetSystemMetrics(SM_CXSCREEN) - new_width) / 2,
             (GetSystemMetrics(SM_CYSCREEN) - new_height) / 2, new_width, new_height, FALSE);
  ShowWindow(m_nativeWindow, SW_SHOW);
  UpdateWindow(m_nativeWindow);
}

void winobj_virtual_window::move(int x, int y) {
  if (m_visible) add_invalid_rect(m_rect);
  const int width = m_rect.right - m_rect.left;
  const int height = m_rect.bottom - m_rect.top;
  m_rect = RECT{x, y, x + width, y + height};
  m_dirty = true;
  if (m_nativeWindow && !is_main_window())
    SetWindowPos(m_nativeWindow, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOOWNERZORDER);
}

void winobj_virtual_window::show() {
  if (m_visible) return;
  m_visible = true;
  m_dirty = true;
}

void winobj_virtual_window::hide() {
  if (m_visible) {
    m_visible = false;
    add_invalid_rect(m_rect);
  }
  leave_input();
}

void winobj_virtual_window::enable() {
  if (m_enabled) return;
  m_enabled = true;
  m_dirty = true;
}

void winobj_virtual_window::disable() {
  if (m_enabled) {
    m_enabled = false;
    m_dirty = true;
  }
  leave_input();
}

// The capture goes first: while any window holds it the controller refuses
// every focus change, and an invisible captor would swallow all mouse input.
void winobj_virtual_window::leave_input() {
  if (!m_controller) return;
  m_controller->release_capture(this);
  // The window's own flag, not the controller's pointer: a window told of
  // its focus loss may hide itself before the controller has moved on, and
  // must not start another move then.
  if (m_focused && m_controller->focused() == this && !m_controller->focus_next_in_group())
    m_controller->focus_next_tab();
}

void winobj_virtual_window::set_tab_index(int index) {
  if (index == m_tabIndex) return;
  m_tabIndex = index;
  if (m_controller) m_controller->sort_tab_order();
}

void winobj_virtual_window::set_order_index(int index) {
  if (index == m_orderIndex) return;
  m_orderIndex = index;
  if (m_controller) m_controller->sort_tab_order();
}

void winobj_virtual_window::set_z_order(int z) {
  if (z == m_zOrder) return;
  m_zOrder = z;
  if (m_controller) m_controller->sort_paint_order();
}

}  // namespace notus::impl::details
