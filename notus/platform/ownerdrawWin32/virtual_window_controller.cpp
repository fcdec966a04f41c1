#include "notus/platform/ownerdrawWin32/virtual_window_controller.h"

#include <algorithm>

#include "notus/platform/ownerdrawWin32/winobj_virtual_window.h"

namespace notus::impl::details {

constinit virtual_window_controller* virtual_window_controller::m_virtualWindowController = nullptr;

virtual_window_controller::virtual_window_controller() : m_previous(m_virtualWindowController) {
  m_virtualWindowController = this;
}

virtual_window_controller::~virtual_window_controller() {
  // Windows that outlive their controller must not call back into it.
  for (window* w : m_tabOrder)
    if (w->m_controller == this) w->m_controller = nullptr;
  if (m_virtualWindowController == this) {
    m_virtualWindowController = m_previous;
    return;
  }
  // Destroyed out of turn: close the gap in the stack rather than leave a
  // controller above pointing at this one.
  for (auto* c = m_virtualWindowController; c; c = c->m_previous)
    if (c->m_previous == this) {
      c->m_previous = m_previous;
      break;
    }
}

void virtual_window_controller::add_window(window* w) {
  w->m_controller = this;
  m_tabOrder.push_back(w);
  m_paintOrder.push_back(w);
  if (w->listener()) m_listeners.push_back(w);
  sort_paint_order();
  sort_tab_order();
  if (!m_focused && w->focusable() && w->enabled() && w->visible()) set_focus(w);
}

void virtual_window_controller::remove_window(window* w) {
  if (m_capturing == w) m_capturing = nullptr;
  if (m_focused == w) {
    // Only the current controller hands the focus on; moving it in a
    // controller below would take the native focus from a running dialog.
    if (this == m_virtualWindowController && is_registered(w) && !focus_next_in_group()) focus_prev_in_group();
    if (m_focused == w) {
      w->m_focused = false;
      m_focused = nullptr;
    }
  }
  if (m_pressed == w) m_pressed = nullptr;
  m_tabOrder.remove(w);
  m_paintOrder.remove(w);
  m_listeners.remove(w);
  if (w->m_controller == this) w->m_controller = nullptr;
}

bool virtual_window_controller::is_registered(const window* w) const {
  return std::find(m_tabOrder.begin(), m_tabOrder.end(), w) != m_tabOrder.end();
}

void virtual_window_controller::sort_tab_order() {
  m_tabOrder.sort([](const window* a, const window* b) {
    if (a->tab_index() != b->tab_index()) return a->tab_index() < b->tab_index();
    return a->order_index() < b->order_index();
  });
}

void virtual_window_controller::sort_paint_order() {
  m_paintOrder.sort([](const window* a, const window* b) { return a->z_order() > b->z_order(); });
}

}  // namespace notus::impl::details
