// What the button strategies need of the area they are pressed in, for the
// two kinds of display a pressable view can have:
//   - a virtual window: its client rectangle {0, 0, width, height} in its own
//     coordinates, and the controller's mouse capture;
//   - a window rectangle (the scroll bar's parts): its own rectangle in the
//     parent's coordinates, and the capture taken through the parent, which
//     only the rectangle that took it gives back.
// Hit tests are half-open: the left and top edges are inside, the right and
// bottom ones are not.  The strategies of push_button.h and selection.h are
// written once over these functions.
#pragma once

#include <type_traits>

#include "notus/impl/payloads.h"

namespace notus::ownerdraw::press {

template <class D>
concept window_display = requires(D& d) {
  typename D::impl_type;
  d.handle();
};

template <class D>
concept rectangle_display = requires(D& d) {
  d.rectangle();
  d.parent();
  d.has_capture();
};

template <window_display D>
bool inside(D& d, int x, int y) {
  const auto s = D::impl_type::size(d.handle());
  return 0 <= x && x < s.width && 0 <= y && y < s.height;
}
template <rectangle_display D>
bool inside(D& d, int x, int y) {
  const auto& r = d.rectangle();
  return r.left <= x && x < r.right && r.top <= y && y < r.bottom;
}

template <window_display D>
bool has_capture(D& d) {
  return D::impl_type::has_capture(d.handle());
}
template <rectangle_display D>
bool has_capture(D& d) {
  return d.has_capture();
}

template <window_display D>
void capture(D& d) {
  D::impl_type::capture(d.handle());
}
template <rectangle_display D>
void capture(D& d) {
  d.capture();
}

template <window_display D>
void release_capture(D& d) {
  D::impl_type::release_capture(d.handle());
}
template <rectangle_display D>
void release_capture(D& d) {
  d.release_capture();
}

// A rectangle has no pixels of its own: its parent window repaints.
template <window_display D>
void invalidate(D& d) {
  D::impl_type::invalidate(d.handle());
}
template <rectangle_display D>
void invalidate(D& d) {
  auto& parent = d.parent();
  std::remove_reference_t<decltype(parent)>::impl_type::invalidate(parent.handle());
}

// A widget's own event (a click, a selection change): a platform event with
// no native message behind it, raised on the display, so it comes back to
// the widget's view and through the view to its listeners.
template <class D, class Payload>
void raise(D& d, const Payload& payload) {
  typename D::platform_event e(payload);
  d.on_event(e);
}

// The press-and-release rule shared by the click and selection strategies:
// a button-down of any button inside, while the area holds no capture, takes
// the capture and arms; a button-up while armed gives the capture back and
// disarms first.  Answers true for that button-up when it falls inside: the
// press is complete.
template <class D, class Mouse>
bool completes_press(bool& armed, const Mouse& m, D& d) {
  using notus::impl::mouse_action;
  if (m.action == mouse_action::down) {
    if (!has_capture(d) && inside(d, m.x, m.y)) {
      capture(d);
      armed = true;
    }
    return false;
  }
  if (m.action != mouse_action::up || !armed) return false;
  release_capture(d);
  armed = false;
  return inside(d, m.x, m.y);
}

}  // namespace notus::ownerdraw::press
