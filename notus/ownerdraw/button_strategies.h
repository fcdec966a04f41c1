// The behaviour every pressable widget shares, written once over the area it
// is pressed in (press_target.h: a virtual window or a window rectangle):
//   - generate_buttonClicked_strategy: a press and a release of any mouse
//     button both inside raise a click {model id, 0} on the widget's display;
//   - push_button_mouse_strategy: the model's pressed face follows the mouse
//     while the press lasts;
//   - push_button_key_strategy: Return or Space presses the button and its
//     release clicks it.
// A click goes to the view's listeners (the form) like any other event.
//
// The mouse strategy runs before the click strategy, so the pressed face is
// shown before the capture is taken and restored before the click is raised:
// a listener sees pressed false on the mouse path, and true on the key path,
// where the face is released only after the click.
#pragma once

#include "notus/impl/payloads.h"
#include "notus/key_codes.h"
#include "notus/ownerdraw/press_target.h"
#include "notus/strategy.h"

namespace notus::ownerdraw {

namespace keys {

// The keys that press buttons.
inline bool presses(const impl::ev_key& k) { return k.code == key_codes::enter || k.code == key_codes::space; }

}  // namespace keys

// Raises the click {model id, 0} on the view's display.
template <class View>
void raise_click(View& v) {
  press::raise(v.display(), impl::ev_click{static_cast<impl::word>(v.model().id), 0});
}

struct generate_buttonClicked_strategy : handle_event<impl::ev_mouse> {
  // A press began inside and the area holds the capture for it.
  bool armed = false;

  template <class View>
  bool on_mouse(impl::ev_mouse& m, View& v) {
    if (press::completes_press(armed, m, v.display())) raise_click(v);
    return true;
  }
};

struct push_button_mouse_strategy : handle_event<impl::ev_mouse> {
  template <class View>
  bool on_mouse(impl::ev_mouse& m, View& v) {
    auto& d = v.display();
    bool& pressed = v.model().pressed;
    switch (m.action) {
      case impl::mouse_action::move:
        if (press::has_capture(d) && press::inside(d, m.x, m.y) != pressed) {
          pressed = !pressed;
          press::invalidate(d);
        }
        break;
      case impl::mouse_action::down:
        if (press::inside(d, m.x, m.y)) {
          pressed = true;
          press::invalidate(d);
        }
        break;
      case impl::mouse_action::up:
        if (pressed) {
          pressed = false;
          press::invalidate(d);
        }
        break;
      default: break;
    }
    return true;
  }
};

// Key-downs while the area holds the capture (a mouse press under way, or the
// auto-repeats of the key that took it) change nothing, so holding Space
// gives one click.  The release of either key ends a press begun with the
// other.
struct push_button_key_strategy : handle_event<impl::ev_key> {
  bool key_armed = false;

  template <class View>
  bool on_key(impl::ev_key& k, View& v) {
    if (!keys::presses(k)) return true;
    auto& d = v.display();
    if (k.down == 1) {
      if (press::has_capture(d)) return true;
      press::capture(d);
      key_armed = true;
      v.model().pressed = true;
      press::invalidate(d);
    } else if (key_armed) {
      press::release_capture(d);
      key_armed = false;
      raise_click(v);
      v.model().pressed = false;
      press::invalidate(d);
    }
    return true;
  }
};

}  // namespace notus::ownerdraw
