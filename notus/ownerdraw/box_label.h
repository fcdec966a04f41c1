// The box label: the hint's rounded box (hint.h) with a darker caption band
// across its top and the text in that band.  Forms use it for titles; it
// shares label_model with the plain label (label.h) and, like it, takes no
// input.  A title wider than the band is broken between words onto more
// lines (message_label.h), and the band grows down to hold them, so a long
// prompt on a small screen is read whole.
#pragma once

#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "notus/displays/virtual_window.h"
#include "notus/ownerdraw/faces.h"
#include "notus/ownerdraw/hint.h"
#include "notus/ownerdraw/label.h"
#include "notus/ownerdraw/message_label.h"
#include "notus/view.h"

namespace notus::ownerdraw {

struct box_label_paint_strategy : handle_event<impl::ev_paint> {
  static constexpr COLORREF band = 0x7CC0B1;

  template <class View>
  bool on_paint(impl::ev_paint& p, View& v) {
    auto dev = paint_device(p);
    const std::wstring& text = v.model().text;
    const gdi::device_rect box = inset(p.client, 1);
    const std::int32_t line_height = message_line_height(*dev);
    std::vector<std::wstring> lines = message_label_lines(*dev, text, box.right - box.left - 4);
    if (lines.empty()) lines.emplace_back();
    const auto count = static_cast<std::int32_t>(lines.size());
    const gdi::device_rect band_rect{box.left, box.top, box.right, box.top + count * line_height + 4};
    dev->fill_rounded_rect(box, 5.0, hint_paint_strategy::face, hint_paint_strategy::face_alpha);
    // Only the band's two top corners follow the box's rounding; its bottom
    // edge is a straight line across the box.
    const face_device::radii_type top_corners{5.0, 5.0, 5.0, 5.0, 0.0, 0.0, 0.0, 0.0};
    dev->fill_rounded_rect_radii(band_rect, top_corners, band, 255);
    dev->frame_rounded_rect(box, 5.0, 1.0, colours::outline, 255);
    std::int32_t top = band_rect.top + 2;
    for (const std::wstring& line : lines) {
      dev->draw_text(line, {band_rect.left + 2, top, band_rect.right - 2, top + line_height}, caption_left);
      top += line_height;
    }
    return true;
  }
};

using box_label_view =
    notus::view<displays::virtual_window_label<traits>, std::tuple<box_label_paint_strategy>, label_model>;

}  // namespace notus::ownerdraw
