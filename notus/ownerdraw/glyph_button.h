// The glyph button: a push button (push_button.h) that shows a glyph from
// the application's glyph document instead of its caption.  Mouse, keys, the
// click and the pressed state are the push button's; only the model and the
// paint differ.
//
// Its model carries three glyph ids, one per state: the first while enabled,
// the second while pressed, the third while disabled.  The glyph is drawn in
// full over the face in every state, also over the grey disabled face.  The
// disabled face shares cache id 5 with the push button's, whose fill is a
// little more opaque; at one size the first one made is the one both show.
#pragma once

#include <cstdint>
#include <tuple>

#include "notus/ownerdraw/installed_functions.h"
#include "notus/ownerdraw/push_button.h"

namespace notus::ownerdraw {

struct glyph_button_model : push_button_model {
  std::uint32_t glyph_id1 = 0;
  std::uint32_t glyph_id2 = 0;
  std::uint32_t glyph_id3 = 0;
  // Kept for the forms that fill it; nothing reads it.
  std::uint32_t spare = 0;
};

inline constexpr rounded_face glyph_face_disabled{face_disabled, colours::face_disabled, 230, 5.0, colours::outline};

struct glyph_push_button_paint_strategy : handle_event<impl::ev_paint> {
  template <class View>
  bool on_paint(impl::ev_paint& p, View& v) {
    using ops = typename View::display_type::impl_type;
    const auto& h = v.display().handle();
    const auto& model = v.model();
    auto dev = paint_device(p);
    const gdi::device_rect client = p.client;
    std::uint32_t glyph = model.glyph_id3;
    if (!ops::is_enabled(h)) {
      draw_rounded_face(*dev, glyph_face_disabled, client);
    } else if (model.pressed) {
      draw_rounded_face(*dev, push_face_pressed, client);
      glyph = model.glyph_id2;
    } else {
      draw_rounded_face(*dev, push_face_normal, client);
      glyph = model.glyph_id1;
    }
    const gdi::device_rect inner = inset(client, 1);
    draw_glyph(*dev, glyph, size_of(inner), {inner.left, inner.top});
    if (ops::has_focus(h)) draw_focus_ring(*dev, client, 2, 5.0, 2.0);
    return true;
  }
};

using glyph_button_view = notus::view<
    displays::virtual_window<traits>,
    std::tuple<push_button_mouse_strategy, generate_buttonClicked_strategy, glyph_push_button_paint_strategy,
               push_button_key_strategy, common_key_strategy::UpDownInTabLeftRightInGroup>,
    glyph_button_model>;

}  // namespace notus::ownerdraw
