// The hint: a rounded, lightly transparent box with its text centred in it.
// The application keeps one and places it over the hint area of the game
// form; it never takes the focus and reacts to nothing but paint.  The tool
// tip (tooltip.h) is the invisible window that dismisses it.
#pragma once

#include <string>
#include <tuple>

#include "notus/displays/virtual_window.h"
#include "notus/ownerdraw/faces.h"
#include "notus/view.h"

namespace notus::ownerdraw {

struct hint_model {
  std::wstring text;
};

struct hint_paint_strategy : handle_event<impl::ev_paint> {
  static constexpr COLORREF face = 0x8CEFDE;
  static constexpr unsigned char face_alpha = 240;

  template <class View>
  bool on_paint(impl::ev_paint& p, View& v) {
    auto dev = paint_device(p);
    const gdi::device_rect box = inset(p.client, 1);
    dev->fill_rounded_rect(box, 5.0, face, face_alpha);
    dev->frame_rounded_rect(box, 5.0, 1.0, colours::outline, 255);
    dev->draw_text(v.model().text, inset(p.client, 3), caption_centred);
    return true;
  }
};

using hint_view =
    notus::view<displays::virtual_window_nonfocusable<traits>, std::tuple<hint_paint_strategy>, hint_model>;

}  // namespace notus::ownerdraw
