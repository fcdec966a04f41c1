// The window controller holds the windows registered with it and routes mouse
// and key events, focus, capture and tab navigation among them.
//
// Controllers stack: building one makes it current and remembers the one it
// replaced; destroying it puts that one back.  One root controller serves the
// ordinary forms for the whole run; each modal dialog builds its own, so
// while a dialog runs the windows below it get no input (routing uses only the
// current controller's lists).
//
// Lists (not owning):
//   tab order    ascending by (tab index, order index);
//   paint order  descending by z: later entries are painted later, so they
//                stand in front and are hit-tested first;
//   listeners    the windows with the listener flag.
// Both sorts are stable: equal keys keep their registration order.
#pragma once

#include <cstdint>
#include <list>
#include <vector>

#include "notus/impl/event.h"
#include "notus/traits.h"

namespace notus::impl::details {

class winobj_virtual_window;
class GDIBuffer;

class virtual_window_controller {
 public:
  using window = winobj_virtual_window;
  using window_list = std::list<window*>;

  virtual_window_controller();
  virtual_window_controller(const virtual_window_controller&) = delete;
  virtual_window_controller& operator=(const virtual_window_controller&) = delete;
  ~virtual_window_controller();

  // The controller new windows register with and input is routed through;
  // null only before the root controller exists or after it is gone.
  static virtual_window_controller* current() noexcept { return m_virtualWindowController; }
  virtual_window_controller* previous() const noexcept { return m_previous; }

  // Registration.  add_window focuses the window when nothing has the focus
  // yet and the window can take it.  remove_window lets go of every pointer
  // to the window and takes it out of the lists; only the current
  // controller hands the focus on, the others just forget it.
  void add_window(window* w);
  void remove_window(window* w);

  // Gives w the focus: it gets state 3, then the previous one state 4.
  // Refused (false) when w has it already or any window holds the capture.
  // Does not check that w can take the focus; callers do.  When the state
  // handlers destroy w or move the focus themselves, their outcome stands
  // and the answer says whether w ended up focused.
  bool set_focus(window* w);

  // Focus moves over the windows that are focusable, enabled and visible.
  // A group is a tab index.  Each returns whether the focus moved; throws
  // std::logic_error "Focused window is not present." when the focused
  // window has left the tab order.
  bool focus_next_tab();       // next other group, else next in group
  bool focus_prev_tab();       // previous other group, else previous in group
  bool focus_next_in_group();  // next in group, else next other group
  bool focus_prev_in_group();  // previous in group, else previous other group

  // Routing of a platform event: mouse (kind 1) and key (kind 2) events;
  // everything else is dropped.
  void dispatch(event<traits>& e);
  void dispatch_mouse(event<traits>& e);
  void dispatch_key(event<traits>& e);
  // The message of a native control goes whole to the window that owns it.
  void dispatch_to_window(event<traits>& e);
  // Hands e to w when w is registered here; otherwise nothing.
  void send_event(window* w, event<traits>& e);

  // The paint pass (defined with the back buffer): paints every visible
  // window that meets the union of the dirty windows and the invalid
  // rectangle into buffer, in paint order, and returns that union widened
  // by one pixel right and down (empty when nothing was to be painted).
  // dc goes into the paint events; null for an immediate render.
  RECT paint(GDIBuffer& buffer, HDC dc);

  // A dialog's controller keeps the pixels its first paint pass finds in the
  // back buffer (the form the dialog opened over) and lays them down again
  // under the area of every later pass.  A dialog that lets the form show
  // through is then painted over what it opened over each time, never over
  // its own earlier pixels (which would darken it) nor over a window that
  // has gone (a closed drop-down's list would stay as a ghost).
  void keep_backdrop() noexcept { m_keepsBackdrop = true; }

  void capture(window* w) noexcept { m_capturing = w; }
  void release_capture(window* w) noexcept {
    if (m_capturing == w) m_capturing = nullptr;
  }

  // Called when a window's keys change.
  void sort_tab_order();
  void sort_paint_order();

  const window_list& tab_order() const noexcept { return m_tabOrder; }
  const window_list& paint_order() const noexcept { return m_paintOrder; }
  const window_list& listeners() const noexcept { return m_listeners; }
  window* focused() const noexcept { return m_focused; }
  window* capturing() const noexcept { return m_capturing; }
  window* pressed() const noexcept { return m_pressed; }

  bool is_registered(const window* w) const;

 private:
  bool search_focus(bool forward, bool same_group);
  window* hit_test(int x, int y) const;
  // Hands e to each listener that is still registered and visible when its
  // turn comes; a copy each when fresh_copies, so none sees another's edits.
  void notify_listeners(const window_list& listeners, event<traits>& e, bool fresh_copies);
  // Takes the backdrop from the first buffer a pass paints into (and from
  // a new back buffer), and lays it down over the clip box of later passes.
  void lay_backdrop(GDIBuffer& buffer);

  window_list m_tabOrder;
  window_list m_paintOrder;
  window_list m_listeners;
  window* m_focused = nullptr;
  window* m_capturing = nullptr;
  window* m_pressed = nullptr;
  virtual_window_controller* m_previous;
  bool m_keepsBackdrop = false;
  // The pixels in the buffer's own order, and the buffer they came from.
  std::vector<std::uint32_t> m_backdrop;
  const GDIBuffer* m_backdropSource = nullptr;
  int m_backdropWidth = 0;

  static virtual_window_controller* m_virtualWindowController;
};

}  // namespace notus::impl::details
