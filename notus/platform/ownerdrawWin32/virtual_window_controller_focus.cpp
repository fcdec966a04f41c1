// Keyboard focus of the window controller: set_focus and the four moves.
#include <iterator>
#include <stdexcept>

#include "notus/platform/ownerdrawWin32/paint_surface.h"
#include "notus/platform/ownerdrawWin32/virtual_window_controller.h"
#include "notus/platform/ownerdrawWin32/winobj_virtual_window.h"

namespace notus::impl::details {

namespace {

void send_state(winobj_virtual_window* w, word state) {
  event<traits> e(ev_state{0, state});
  w->handle_event(e);
  w->set_dirty(true);
}

bool is_candidate(const winobj_virtual_window* w) { return w->focusable() && w->enabled() && w->visible(); }

}  // namespace

bool virtual_window_controller::set_focus(window* w) {
  if (!w || w == m_focused || m_capturing) return false;
  window* const previous = m_focused;
  const bool registered = is_registered(w);
  w->m_focused = true;
  // Typing must reach a native control directly; every other window takes
  // its keys through the main window.
  const HWND native = w->native_window() ? w->native_window() : current_paint_surface().main_window;
  if (native) SetFocus(native);
  send_state(w, 3);
  // The state handlers may hide or destroy windows (a combo box drops its
  // list when the list loses the focus) or move the focus themselves.  A
  // previous window that went meanwhile has left m_focused, and one that a
  // nested move already told keeps what it was told.
  if (previous && m_focused == previous) {
    previous->m_focused = false;
    send_state(previous, 4);
  }
  const bool gone = registered && !is_registered(w);
  if (m_focused == previous || m_focused == nullptr) {
    if (gone) {
      m_focused = nullptr;
      return false;
    }
    m_focused = w;
    return true;
  }
  // A handler moved the focus on: that move stands.
  if (m_focused != w && !gone) w->m_focused = false;
  return m_focused == w;
}

// Walks the tab order cyclically from the focused window (exclusive) until it
// comes back to it, and tries the first candidate of the wanted group.
// Without a focus, only a search for another group finds anything: it takes
// the first candidate from the start (or the end, backwards).
bool virtual_window_controller::search_focus(bool forward, bool same_group) {
  if (m_tabOrder.empty()) return false;
  if (!m_focused) {
    if (same_group) return false;
    if (forward) {
      for (window* w : m_tabOrder)
        if (is_candidate(w)) return set_focus(w);
    } else {
      for (auto it = m_tabOrder.rbegin(); it != m_tabOrder.rend(); ++it)
        if (is_candidate(*it)) return set_focus(*it);
    }
    return false;
  }
  auto start = m_tabOrder.begin();
  for (; start != m_tabOrder.end() && *start != m_focused; ++start) {
  }
  if (start == m_tabOrder.end()) throw std::logic_error("Focused window is not present.");
  const int group = m_focused->tab_index();
  auto step = [&](window_list::iterator it) {
    if (forward) {
      ++it;
      return it == m_tabOrder.end() ? m_tabOrder.begin() : it;
    }
    if (it == m_tabOrder.begin()) it = m_tabOrder.end();
    return std::prev(it);
  };
  for (auto it = step(start); it != start; it = step(it)) {
    window* w = *it;
    if (is_candidate(w) && (w->tab_index() == group) == same_group) return set_focus(w);
  }
  return false;
}

bool virtual_window_controller::focus_next_tab() { return search_focus(true, false) || search_focus(true, true); }

bool virtual_window_controller::focus_prev_tab() { return search_focus(false, false) || search_focus(false, true); }

bool virtual_window_controller::focus_next_in_group() { return search_focus(true, true) || search_focus(true, false); }

bool virtual_window_controller::focus_prev_in_group() {
  return search_focus(false, true) || search_focus(false, false);
}

}  // namespace notus::impl::details
