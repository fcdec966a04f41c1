#pragma once
// The buttons of the number keypads. The digits of the value keypad and the
// "ok" of both keypads are text buttons, "x" and "s" glyph buttons; the
// candidate digits are the framework's toggle buttons (their checked state
// is the candidate) and the frame behind a popup is a plain filled box.
//
// The keypad's own buttons behave like the framework's push buttons
// (notus/ownerdraw/button_strategies.h) with one addition: an `active` flag.
// The keypad clears it for digits the selected cell cannot take; an inactive
// button ignores the mouse and the keys entirely and shows the grey face.
// Their faces are the push buttons' faces 3, 4 and 5 of the image cache, so
// keypad and form buttons of one size share their images.

#include <cstdint>
#include <string>
#include <tuple>

#include "notus/displays/virtual_window.h"
#include "notus/ownerdraw/button_strategies.h"
#include "notus/ownerdraw/faces.h"
#include "notus/ownerdraw/glyph_button.h"
#include "notus/ownerdraw/group_box.h"
#include "notus/ownerdraw/installed_functions.h"
#include "notus/ownerdraw/push_button.h"
#include "notus/ownerdraw/toggle_button.h"
#include "notus/view.h"

namespace keypad {

using notus::handle_event;
namespace impl = notus::impl;
namespace od = notus::ownerdraw;

struct push_button_model {
  bool pressed = false;
  std::wstring text;
  // What the click carries.
  std::uint32_t id = 0;
  bool active = true;
};

struct glyph_button_model : push_button_model {
  std::uint32_t glyph_active = 0;
  std::uint32_t glyph_pressed = 0;
  std::uint32_t glyph_inactive = 0;
};

// Turns a button's active flag; a change repaints it, since nothing else
// would until the next unrelated paint.
template <class View>
void SetActive(View& v, bool active) {
  if (v.model().active == active) return;
  v.model().active = active;
  od::press::invalidate(v.display());
}

// A button takes input and shows its active face while its flag is set and
// its window is enabled; the candidate keypad's "x" is switched by its window.
template <class View>
bool is_active(View& v) {
  using ops = typename View::display_type::impl_type;
  return v.model().active && ops::is_enabled(v.display().handle());
}

// The pressed face follows the mouse while a press lasts.
struct push_button_mouse_strategy : od::push_button_mouse_strategy {
  template <class View>
  bool on_mouse(impl::ev_mouse& m, View& v) {
    if (!is_active(v)) return false;
    return od::push_button_mouse_strategy::on_mouse(m, v);
  }
};

// A press and a release inside raise the click {id, 0} on the button's
// display, which the keypad's view manager hears first.
struct generate_buttonClicked_strategy : od::generate_buttonClicked_strategy {
  template <class View>
  bool on_mouse(impl::ev_mouse& m, View& v) {
    if (!is_active(v)) return false;
    return od::generate_buttonClicked_strategy::on_mouse(m, v);
  }
};

// Return or Space presses the button; the key's release clicks it.
struct push_button_key_strategy : od::push_button_key_strategy {
  template <class View>
  bool on_key(impl::ev_key& k, View& v) {
    if (!is_active(v)) return false;
    return od::push_button_key_strategy::on_key(k, v);
  }
};

namespace faces {
// An inactive glyph button is a little more transparent than a text one.
inline constexpr od::rounded_face glyph_inactive{od::face_disabled, od::colours::face_disabled, 230, 5.0,
                                                 od::colours::outline};
}  // namespace faces

template <class View>
void draw_focus_if_focused(od::face_device& dev, View& v, const notus::gdi::device_rect& client) {
  using ops = typename View::display_type::impl_type;
  if (ops::has_focus(v.display().handle())) od::draw_focus_ring(dev, client, 2, 5.0, 2.0);
}

struct push_button_paint_strategy : handle_event<impl::ev_paint> {
  template <class View>
  bool on_paint(impl::ev_paint& p, View& v) {
    const auto& model = v.model();
    auto dev = od::paint_device(p);
    const notus::gdi::device_rect client = p.client;
    if (!is_active(v))
      od::draw_rounded_face(*dev, od::push_face_disabled, client);
    else
      od::draw_rounded_face(*dev, model.pressed ? od::push_face_pressed : od::push_face_normal, client);
    dev->draw_text(model.text, client, od::caption_centred);
    draw_focus_if_focused(*dev, v, client);
    return true;
  }
};

struct glyph_push_button_paint_strategy : handle_event<impl::ev_paint> {
  template <class View>
  bool on_paint(impl::ev_paint& p, View& v) {
    const auto& model = v.model();
    auto dev = od::paint_device(p);
    const notus::gdi::device_rect client = p.client;
    std::uint32_t glyph = model.glyph_active;
    if (!is_active(v)) {
      od::draw_rounded_face(*dev, faces::glyph_inactive, client);
      glyph = model.glyph_inactive;
    } else if (model.pressed) {
      od::draw_rounded_face(*dev, od::push_face_pressed, client);
      glyph = model.glyph_pressed;
    } else {
      od::draw_rounded_face(*dev, od::push_face_normal, client);
    }
    // Glyph 0 is no glyph: the "s" buttons are never inactive and have none.
    const notus::gdi::device_rect inner = od::inset(client, 1);
    if (glyph != 0) od::draw_glyph(*dev, glyph, od::size_of(inner), {inner.left, inner.top});
    draw_focus_if_focused(*dev, v, client);
    return true;
  }
};

// The frame behind a popup keypad.
inline constexpr COLORREF frame_fill = 0x8CEFDE;

struct groupbox_paint_strategy_ : handle_event<impl::ev_paint> {
  template <class View>
  bool on_paint(impl::ev_paint& p, View&) {
    od::paint_device(p)->fill_rect(p.client, frame_fill, 240);
    return true;
  }
};

using push_button_view = notus::view<notus::displays::virtual_window<notus::traits>,
                                     std::tuple<push_button_mouse_strategy, generate_buttonClicked_strategy,
                                                push_button_paint_strategy, push_button_key_strategy>,
                                     push_button_model>;

using glyph_button_view = notus::view<notus::displays::virtual_window<notus::traits>,
                                      std::tuple<push_button_mouse_strategy, generate_buttonClicked_strategy,
                                                 glyph_push_button_paint_strategy, push_button_key_strategy>,
                                      glyph_button_model>;

using candidate_button_view = od::toggle_button_view;

using frame_view = notus::view<notus::displays::virtual_window_nonfocusable<notus::traits>,
                               std::tuple<groupbox_paint_strategy_>, od::groupbox_model>;

}  // namespace keypad
