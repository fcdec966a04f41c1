// The payload of each kind of platform event.  Most payloads start with a lead
// word that the platform layer sets to 0; handlers that care about one value
// of a payload's second word (key down, click, close, state) read it through
// second_word().  Fields that carry a handle or a pointer are pointer-sized;
// the order of the fields is the one receivers rely on.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "notus/traits.h"

namespace notus::impl {

using word = std::int32_t;

// The native message as it came, plus the paint structure filled for WM_PAINT.
struct native_record {
  traits::native_message message{};
  traits::paint_record paint{};
};

// Kind 0: any message without a kind of its own.
struct ev_message {
  native_record record{};
};

// What a mouse event reports; the numbers are those of the payload's second
// word, which a strategy may narrow its handler to.
enum class mouse_action : word { move = 0, double_click = 2, down = 3, up = 4 };

// Kind 1.  button: 0 none, 1 left, 2 middle, 3 right.  x, y: client
// coordinates.
struct ev_mouse {
  word lead = 0;
  mouse_action action = mouse_action::move;
  word button = 0;
  word x = 0;
  word y = 0;
  std::intptr_t second_word() const { return static_cast<std::intptr_t>(action); }
};

// Kind 2.  down: 1 key down, 0 key up.  key: the virtual key, with the numeric
// keypad's digits given as '0'..'9'.  code: the framework key code.
struct ev_key {
  word lead = 0;
  word down = 0;
  word key = 0;
  word code = 0;
  std::intptr_t second_word() const { return down; }
};

// Kind 3.
struct ev_size {
  word lead = 0;
  word width = 0;
  word height = 0;
  std::intptr_t second_word() const { return width; }
};

// Kind 4: reserved, shaped like kind 3.  Nothing produces or handles it.
struct ev_reserved {
  word lead = 0;
  word width = 0;
  word height = 0;
};

// Kind 5.  origin: the window's client origin in the main window's client
// coordinates.  Rectangles are left, top, right, bottom.
struct ev_paint {
  word lead = 0;
  traits::device_context dc = nullptr;
  traits::back_buffer* back_buffer = nullptr;
  word origin_x = 0;
  word origin_y = 0;
  RECT update{};
  RECT client{};
  word item_state = 0;
  std::uintptr_t item_data = 0;
  std::uint32_t item_id = 0;
};

// Kind 6: the window is asked to close.
struct ev_close {
  word lead = 0;
  word flag = 0;
  std::intptr_t second_word() const { return flag; }
};

// Kind 7: a menu or accelerator command; the command id is not carried.
struct ev_command {
  word lead = 0;
  word flag = 1;
  std::intptr_t second_word() const { return flag; }
};

// Kind 8: a widget was clicked; id is its model's id.
struct ev_click {
  word id = 0;
  word flag = 0;
  std::intptr_t second_word() const { return flag; }
};

// Kind 9.  state: 1 init, 2 destroyed, 3 focus gained, 4 focus lost,
// 5 text changed.
struct ev_state {
  word lead = 0;
  word state = 0;
  std::intptr_t second_word() const { return state; }
};

// Kind 10.
struct ev_timer {
  word lead = 0;
  std::uintptr_t id = 0;
  std::intptr_t second_word() const { return static_cast<std::intptr_t>(id); }
};

// Kind 11, raised by a scroll bar: its model's tag in word 0 and the new
// position in word 24; the words between carry nothing.
struct ev_scroll {
  word tag = 0;
  std::array<word, 23> unused{};
  word position = 0;
};

// Kind 12, selection changed: the selecting widget's model id in word 0.
struct ev_selection {
  word id = 0;
  std::array<word, 23> unused{};
};

// Kind 13: a deferred event; whoever raises it chooses both words.
struct ev_deferred {
  std::intptr_t first = 0;
  std::intptr_t second = 0;
  std::intptr_t second_word() const { return second; }
};

static_assert(sizeof(ev_scroll) == 25 * sizeof(word));
static_assert(offsetof(ev_scroll, position) == 24 * sizeof(word));
static_assert(sizeof(ev_selection) == 24 * sizeof(word));

}  // namespace notus::impl
