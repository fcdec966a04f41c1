// Two passive widgets that only paint: the simple frame, a light rounded
// panel with a dark outline that a form lays behind a page of controls, and
// the boxed text, one line of text in a thin rectangular box (a form's title).
// Neither uses the image cache; every event other than paint only reaches
// their views' listeners.
//
// The simple frame's model is label_model (label.h); its paint does not read
// it.
#pragma once

#include <cstdint>
#include <string>
#include <tuple>

#include "notus/displays/virtual_window.h"
#include "notus/ownerdraw/faces.h"
#include "notus/ownerdraw/label.h"
#include "notus/view.h"

namespace notus::ownerdraw {

// The panel has the page colour, as the selected options tab has, so the
// two join.
struct simple_frame_paint_strategy : handle_event<impl::ev_paint> {
  template <class View>
  bool on_paint(impl::ev_paint& p, View&) {
    auto dev = paint_device(p);
    dev->fill_rounded_rect(p.client, 5.0, colours::page, 255);
    dev->frame_rounded_rect(inset(p.client, 1), 5.0, 1.0, colours::outline, 255);
    return true;
  }
};

struct boxed_text_model {
  std::wstring text;
  std::uint32_t id = 0;
};

// The box is not filled: the form's background shows through it.
struct boxed_text_paint_strategy : handle_event<impl::ev_paint> {
  template <class View>
  bool on_paint(impl::ev_paint& p, View& v) {
    auto dev = paint_device(p);
    const std::wstring text = v.model().text;
    if (text.empty()) {
      dev->frame_rect(p.client, 1, colours::outline, 255);
      return true;
    }
    dev->frame_rect(inset(p.client, 1), 1, colours::outline, 255);
    dev->draw_text(text, inset(p.client, 3), caption_left);
    return true;
  }
};

using simple_frame_view =
    notus::view<displays::virtual_window_nonfocusable<traits>, std::tuple<simple_frame_paint_strategy>, label_model>;
using boxed_text_view =
    notus::view<displays::virtual_window_label<traits>, std::tuple<boxed_text_paint_strategy>, boxed_text_model>;

}  // namespace notus::ownerdraw
