// The group box: a rounded frame around a group of controls, with an optional
// caption set into its top line.  It lies behind the controls it frames (the
// label display's paint order) and takes no input or focus; a press where no
// control lies over it reaches its view's listeners and nothing else.
//
// The controls paint over the caption where they reach into it, so the
// caption keeps above the first of them: where the room its owner gives
// (caption_room) is lower than the caption's band, the caption takes that
// room from the box's top edge, with the frame's line through its middle,
// and a text too large for it is drawn smaller (device::draw_text).
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <tuple>

#include "notus/displays/virtual_window.h"
#include "notus/ownerdraw/faces.h"
#include "notus/view.h"

namespace notus::ownerdraw {

struct groupbox_model {
  std::wstring text;
  std::uint32_t id = 0;
  // Pixels from the box's top edge down to the first control it frames;
  // 0 when nothing lies under the caption.
  std::int32_t caption_room = 0;
};

struct groupbox_paint_strategy : handle_event<impl::ev_paint> {
  template <class View>
  bool on_paint(impl::ev_paint& p, View& v) {
    auto dev = paint_device(p);
    const std::wstring& caption = v.model().text;
    const RECT& c = p.client;
    if (caption.empty()) {
      dev->frame_rounded_rect(c, 5.0, 1.0, colours::outline, 255);
      return true;
    }
    const face_device::size_type extent = dev->text_extent(caption);
    const int w = std::max(0, std::min<int>(extent.width + 4, c.right - c.left - 12));
    const int h = extent.height + 4;
    const int room = v.model().caption_room;
    const bool cramped = room > 0 && h + 2 > room;
    // The frame's top line runs a little below the caption's middle.
    const int lift = cramped ? room / 2 : h - h * 35 / 100;
    const gdi::device_rect frame{c.left + 1, c.top + 1 + lift, c.right - 1, c.bottom - 1};
    dev->frame_rounded_rect(frame, 5.0, 1.0, colours::outline, 255);
    // The line is broken behind the caption in the page colour, whatever
    // lies behind the box.
    dev->fill_rect({c.left + 6, frame.top - 1, c.left + 6 + w, frame.top}, colours::page, 255);
    const gdi::device_rect band = cramped ? gdi::device_rect{c.left + 6, c.top, c.left + 6 + w, c.top + room}
                                          : gdi::device_rect{c.left + 6, c.top + 2, c.left + 6 + w, c.top + 2 + h};
    dev->draw_text(caption, band, caption_centred);
    return true;
  }
};

using group_box_view =
    notus::view<displays::virtual_window_label<traits>, std::tuple<groupbox_paint_strategy>, groupbox_model>;

}  // namespace notus::ownerdraw
