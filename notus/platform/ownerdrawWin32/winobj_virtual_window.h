// The platform object behind every virtual window: a rectangle inside the one
// native main window, with its visibility, enabled state, focus, paint order
// (z) and tab order.  A window object registers with the controller that is
// current when it is built and leaves every stacked controller when it dies.
#pragma once

#include "notus/impl/event.h"
#include "notus/traits.h"
#include "winapi/windows.h"

namespace notus::impl::details {

class virtual_window_controller;

class winobj_virtual_window {
 public:
  // Construction flags.
  static constexpr unsigned flag_main_window = 1;  // stands for the main window itself
  static constexpr unsigned flag_never_focused = 2;
  static constexpr unsigned flag_listener = 4;     // sees all input, never hit nor focused
  static constexpr unsigned flag_native_edit = 8;  // owns a native text-entry control

  // Throws std::invalid_argument "m_virtualWindowController is NULL! " when
  // no controller is current, std::runtime_error "unable to create control"
  // when the native control of flag 8 cannot be made.
  explicit winobj_virtual_window(unsigned flags);
  winobj_virtual_window(const winobj_virtual_window&) = delete;
  winobj_virtual_window& operator=(const winobj_virtual_window&) = delete;
  virtual ~winobj_virtual_window();

  // The base ignores events; the helper raises them to the display.
  virtual void handle_event(event<traits>& e);
  // Half-open: left <= x < right and top <= y < bottom.
  virtual bool contains(int x, int y) const;

  void resize(int width, int height);
  void move(int x, int y);
  void show();
  void hide();
  void enable();
  void disable();

  void set_tab_index(int index);
  void set_order_index(int index);
  void set_z_order(int z);

  const RECT& rect() const noexcept { return m_rect; }
  bool focused() const noexcept { return m_focused; }
  bool visible() const noexcept { return m_visible; }
  int z_order() const noexcept { return m_zOrder; }
  bool dirty() const noexcept { return m_dirty; }
  void set_dirty(bool dirty) noexcept { m_dirty = dirty; }
  int tab_index() const noexcept { return m_tabIndex; }
  int order_index() const noexcept { return m_orderIndex; }
  bool focusable() const noexcept { return m_focusable; }
  bool enabled() const noexcept { return m_enabled; }
  unsigned flags() const noexcept { return m_flags; }
  HWND native_window() const noexcept { return m_nativeWindow; }
  WNDPROC saved_window_procedure() const noexcept { return m_savedWindowProcedure; }
  bool listener() const noexcept { return m_listener; }
  bool is_main_window() const noexcept { return (m_flags & flag_main_window) != 0; }

  // The controller the window registered with; null once that one is gone.
  virtual_window_controller* controller() const noexcept { return m_controller; }

 private:
  friend class virtual_window_controller;

  // A hidden or disabled window can no longer take input: it lets go of the
  // mouse capture and hands the focus on.
  void leave_input();
  void resize_main_window(int width, int height);

  WNDPROC m_savedWindowProcedure = nullptr;
  RECT m_rect{};
  bool m_focused = false;
  bool m_visible = false;
  int m_zOrder = 0;
  bool m_dirty = true;
  int m_tabIndex = 0;
  int m_orderIndex = 0;
  bool m_focusable;
  bool m_enabled = true;
  unsigned m_flags;
  HWND m_nativeWindow = nullptr;
  bool m_listener;
  virtual_window_controller* m_controller = nullptr;
};

}  // namespace notus::impl::details
