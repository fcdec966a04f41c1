// The message label: a label (label.h) whose text is read whole, however
// narrow the window: its lines are broken between words to the window's
// width (message_lines.h) and drawn one under another, left-aligned, the
// block centred in the window when it fits and from the top when it does
// not.  A text of one line sits where the plain label puts it.  Like the
// label it paints nothing else and takes no input.
//
// message_label_height tells the owner how high the window must be for the
// whole text, so a dialog can grow to hold it.
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "notus/displays/virtual_window.h"
#include "notus/ownerdraw/faces.h"
#include "notus/ownerdraw/label.h"
#include "notus/ownerdraw/message_lines.h"
#include "notus/view.h"

namespace notus::ownerdraw {

// The lines of text in a window width wide, measured on dev.
inline std::vector<std::wstring> message_label_lines(const face_device& dev, const std::wstring& text,
                                                     std::int32_t width) {
  return text_algorithms::message_lines(text, width,
                                        [&dev](const std::wstring& s) { return dev.text_extent(s).width; });
}

inline std::int32_t message_line_height(const face_device& dev) {
  return std::max<std::int32_t>(1, dev.text_extent(std::wstring()).height);
}

// The height a window width wide needs to show all of text.
inline std::int32_t message_label_height(const std::wstring& text, std::int32_t width) {
  const auto screen = face_device::create_for_screen();
  return static_cast<std::int32_t>(message_label_lines(*screen, text, width).size()) * message_line_height(*screen);
}

struct message_label_paint_strategy : handle_event<impl::ev_paint> {
  template <class View>
  bool on_paint(impl::ev_paint& p, View& v) {
    auto dev = paint_device(p);
    const gdi::device_rect r = p.client;
    const std::vector<std::wstring> lines = message_label_lines(*dev, v.model().text, r.right - r.left);
    const std::int32_t line_height = message_line_height(*dev);
    const std::int32_t needed = static_cast<std::int32_t>(lines.size()) * line_height;
    std::int32_t top = r.top + std::max(0, (r.bottom - r.top - needed) / 2);
    for (const std::wstring& line : lines) {
      dev->draw_text(line, {r.left, top, r.right, top + line_height}, caption_left);
      top += line_height;
    }
    return true;
  }
};

using message_label_view =
    notus::view<displays::virtual_window_label<traits>, std::tuple<message_label_paint_strategy>, label_model>;

}  // namespace notus::ownerdraw
