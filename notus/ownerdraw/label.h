// The plain label: one line of its model's text, left-aligned and vertically
// centred in the window, clipped to it.  It paints nothing else (no fill, no
// frame, no cached face) and takes no input, so whatever lies behind it shows
// through around the letters.
//
// label_model is also the model of the box label (box_label.h) and of the
// simple frame (frames.h); forms set its text and id from their layouts.
#pragma once

#include <cstdint>
#include <string>
#include <tuple>

#include "notus/displays/virtual_window.h"
#include "notus/ownerdraw/faces.h"
#include "notus/view.h"

namespace notus::ownerdraw {

struct label_model {
  std::wstring text;
  std::uint32_t id = 0;
};

struct label_paint_strategy : handle_event<impl::ev_paint> {
  template <class View>
  bool on_paint(impl::ev_paint& p, View& v) {
    // Without DT_NOCLIP the text stops at the window's edges.
    paint_device(p)->draw_text(v.model().text, p.client, caption_left);
    return true;
  }
};

using label_view = notus::view<displays::virtual_window_label<traits>, std::tuple<label_paint_strategy>, label_model>;

}  // namespace notus::ownerdraw
