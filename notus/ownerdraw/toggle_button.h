// The toggle button: a captioned button that flips between selected and not
// at each click (press and release inside) or Return/Space key-down, the
// auto-repeats included.  It announces nothing: the owner reads the state or
// listens to the click.  The keypads' pencil-mark switch is one; the clock
// button (clock.h) uses the same two strategies over its own flag.
//
// The strategies flip the model's toggled flag: `selected` in a
// radiobutton_model, `shown` in the clock's model.
#pragma once

#include <tuple>

#include "notus/displays/virtual_window.h"
#include "notus/ownerdraw/button_strategies.h"
#include "notus/ownerdraw/faces.h"
#include "notus/ownerdraw/selection.h"
#include "notus/view.h"

namespace notus::ownerdraw {

template <class Model>
requires requires(Model& m) { m.selected; }
bool& toggled_flag(Model& m) { return m.selected; }

template <class Model>
requires requires(Model& m) { m.shown; }
bool& toggled_flag(Model& m) { return m.shown; }

struct toggle_button_strategy : handle_event<impl::ev_click, 0> {
  template <class View>
  bool on_click(impl::ev_click&, View& v) {
    bool& flag = toggled_flag(v.model());
    flag = !flag;
    press::invalidate(v.display());
    return true;
  }
};

struct toggle_button_key_strategy : handle_key_down {
  template <class View>
  bool on_key(impl::ev_key& k, View& v) {
    if (keys::presses(k)) raise_click(v);
    return true;
  }
};

inline constexpr rounded_face toggle_face{face_toggle, colours::tab, 255, 2.0, colours::tab_outline};
inline constexpr rounded_face toggle_face_selected{face_toggle_selected, colours::toggle_selected, 255, 2.0,
                                                   colours::tab_outline};
inline constexpr rounded_face toggle_face_disabled{face_toggle_disabled, colours::toggle_disabled, 230, 2.0,
                                                   colours::tab_outline};

// A disabled toggle draws its caption first and the grey face over it.
struct toggle_button_paint_strategy : handle_event<impl::ev_paint> {
  template <class View>
  bool on_paint(impl::ev_paint& p, View& v) {
    using ops = typename View::display_type::impl_type;
    const auto& h = v.display().handle();
    auto dev = paint_device(p);
    draw_captioned_face(*dev, p.client, v.model().text, ops::is_enabled(h),
                        v.model().selected ? toggle_face_selected : toggle_face, toggle_face_disabled,
                        ops::has_focus(h), 2.0);
    return true;
  }
};

// No focus navigation: the keypads move the focus themselves.
using toggle_button_view = notus::view<displays::virtual_window<traits>,
                                       std::tuple<toggle_button_strategy, toggle_button_paint_strategy,
                                                  generate_buttonClicked_strategy, toggle_button_key_strategy>,
                                       radiobutton_model>;

}  // namespace notus::ownerdraw
