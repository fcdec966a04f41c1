// Input routing of the window controller.  Handlers may create, destroy, hide
// or refocus windows, or run a nested dialog loop, while an event is being
// delivered; so the listeners are taken before delivery and each receiver is
// checked to be still registered when its turn comes.
#include "notus/key_codes.h"
#include "notus/platform/ownerdrawWin32/virtual_window_controller.h"
#include "notus/platform/ownerdrawWin32/winobj_virtual_window.h"

namespace notus::impl::details {

void virtual_window_controller::dispatch(event<traits>& e) {
  switch (e.kind.index()) {
    case kind_mouse: dispatch_mouse(e); break;
    case kind_key: dispatch_key(e); break;
    default: break;
  }
}

virtual_window_controller::window* virtual_window_controller::hit_test(int x, int y) const {
  for (auto it = m_paintOrder.rbegin(); it != m_paintOrder.rend(); ++it) {
    window* w = *it;
    if (w->visible() && w->enabled() && !w->listener() && w->contains(x, y)) return w;
  }
  return nullptr;
}

void virtual_window_controller::notify_listeners(const window_list& listeners, event<traits>& e, bool fresh_copies) {
  for (window* w : listeners) {
    if (!is_registered(w) || !w->visible()) continue;
    if (fresh_copies) {
      event<traits> copy = e;
      w->handle_event(copy);
    } else {
      w->handle_event(e);
    }
  }
}

// Coordinates arrive in main-window client coordinates.  The receiver gets
// them made local to its rectangle; listeners get them unchanged.
void virtual_window_controller::dispatch_mouse(event<traits>& e) {
  const ev_mouse* mouse = e.kind.get_if<kind_mouse>();
  if (!mouse || m_tabOrder.empty()) return;
  window* target = m_capturing;
  if (!target) {
    switch (mouse->action) {
      case mouse_action::down:
        m_pressed = nullptr;
        target = hit_test(mouse->x, mouse->y);
        if (target && target->focusable()) {
          set_focus(target);
          // The focus change may have destroyed the target.
          if (!is_registered(target)) target = nullptr;
        }
        m_pressed = target;
        break;
      case mouse_action::move: target = hit_test(mouse->x, mouse->y); break;
      case mouse_action::up:
        target = hit_test(mouse->x, mouse->y);
        m_pressed = nullptr;
        break;
      default:  // double clicks and anything else
        return;
    }
  }
  if (!target) return;
  const window_list listeners = m_listeners;
  if (is_registered(target)) {
    event<traits> local = e;
    ev_mouse* moved = local.kind.get_if<kind_mouse>();
    moved->x -= target->rect().left;
    moved->y -= target->rect().top;
    target->handle_event(local);
  }
  notify_listeners(listeners, e, true);
}

// Tab moves the focus before the key is delivered, so the newly focused window
// receives it.  The focused window gets keys whatever its state.
void virtual_window_controller::dispatch_key(event<traits>& e) {
  const ev_key* key = e.kind.get_if<kind_key>();
  if (!key) return;
  if (key->down == 1 && key->code == key_codes::tab) focus_next_tab();
  const window_list listeners = m_listeners;
  if (m_focused) m_focused->handle_event(e);
  notify_listeners(listeners, e, false);
}

void virtual_window_controller::dispatch_to_window(event<traits>& e) {
  const HWND native = e.record.message.hwnd;
  if (!native) return;
  for (window* w : m_tabOrder)
    if (w->native_window() == native) {
      w->handle_event(e);
      return;
    }
}

void virtual_window_controller::send_event(window* w, event<traits>& e) {
  if (w && is_registered(w)) w->handle_event(e);
}

}  // namespace notus::impl::details
