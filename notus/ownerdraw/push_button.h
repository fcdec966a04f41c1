// The push button: the framework's text button.  Its behaviour is that of
// button_strategies.h; this unit adds its model, its paint and its two views,
// which differ only in how the arrow keys move the focus (navigation.h): the
// general button walks a group with Left/Right, the menu-style button (menus,
// option pages) with Up/Down.
//
// The faces 3, 4 and 5 are shared with the glyph buttons (glyph_button.h)
// through the image cache: every button of one size shows the same images.
#pragma once

#include <cstdint>
#include <string>
#include <tuple>

#include "notus/displays/virtual_window.h"
#include "notus/ownerdraw/button_strategies.h"
#include "notus/ownerdraw/faces.h"
#include "notus/ownerdraw/navigation.h"
#include "notus/view.h"

namespace notus::ownerdraw {

struct push_button_model {
  bool pressed = false;
  std::wstring text;
  // The form sets it to the item number; the click carries it.
  std::uint32_t id = 0;
};

inline constexpr rounded_face push_face_normal{face_normal, colours::face, 240, 5.0, colours::outline};
inline constexpr rounded_face push_face_pressed{face_pressed, colours::face_pressed, 200, 5.0, colours::outline};
inline constexpr rounded_face push_face_disabled{face_disabled, colours::face_disabled, 240, 5.0, colours::outline};

// Variant 0 is the only one.  A disabled button draws its caption first and
// the nearly opaque grey face over it, so the caption shows only faintly.
template <int Variant = 0>
struct push_button_paint_strategy : handle_event<impl::ev_paint> {
  template <class View>
  bool on_paint(impl::ev_paint& p, View& v) {
    using ops = typename View::display_type::impl_type;
    const auto& h = v.display().handle();
    auto dev = paint_device(p);
    draw_captioned_face(*dev, p.client, v.model().text, ops::is_enabled(h),
                        v.model().pressed ? push_face_pressed : push_face_normal, push_face_disabled, ops::has_focus(h),
                        5.0);
    return true;
  }
};

template <class Navigation>
using basic_push_button_view =
    notus::view<displays::virtual_window<traits>,
                std::tuple<push_button_mouse_strategy, generate_buttonClicked_strategy, push_button_paint_strategy<0>,
                           push_button_key_strategy, Navigation>,
                push_button_model>;

using push_button_view = basic_push_button_view<common_key_strategy::UpDownInTabLeftRightInGroup>;
using menu_push_button_view = basic_push_button_view<common_key_strategy::UpDownInGroupLeftRightInTab>;

}  // namespace notus::ownerdraw
