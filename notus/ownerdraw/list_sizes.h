// The sizes of the parts of lists (list_strategies.h, combo_box.h) and of
// the text box's bar (text_box.h).  They grow and shrink with the text,
// which grows and shrinks with the screen: a row, a bar's width and a closed
// drop-down's height keep their proportions to the 16 px line of the
// layouts' own screen, rounded.  Small text is not made smaller than it can
// be read (ResourceManager.h), so the proportions alone would crowd it: a
// row never leaves its text less than a line between its 3 px margins, and
// a closed drop-down never gives it less room than at 16 px, so the
// outermost rows of the line, which the glyphs hardly touch, are all it may
// cut.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>

#include "notus/ownerdraw/faces.h"

namespace notus::ownerdraw {

// The sizes at the layouts' own text, the 16 px line.
inline constexpr std::int32_t list_layout_line_height = 16;
inline constexpr std::int32_t list_row_height = 25;
inline constexpr std::int32_t list_bar_width = 20;
inline constexpr std::int32_t list_closed_height = 20;

struct list_sizes {
  std::int32_t row = list_row_height;
  std::int32_t bar = list_bar_width;
  std::int32_t closed = list_closed_height;
};

// line: the text's line height; without one (no font), the 16 px line.
constexpr list_sizes list_sizes_for(std::int32_t line) {
  if (line <= 0) line = list_layout_line_height;
  const auto scaled = [line](std::int32_t at_layout) {
    return (at_layout * line + list_layout_line_height / 2) / list_layout_line_height;
  };
  return {std::max(scaled(list_row_height), line + 6), scaled(list_bar_width),
          std::max(scaled(list_closed_height), line + 4)};
}

// For the text as it is drawn now.
inline list_sizes current_list_sizes() {
  return list_sizes_for(face_device::create_for_screen()->text_extent(std::wstring()).height);
}

}  // namespace notus::ownerdraw
