// The scroll bar's model: a range of positions (items or lines), how many of
// them are visible at once (the page) and the first visible one.  Owners
// change it through set_range and set_position, which check their arguments
// and announce nothing, then announce the change through the bar's model
// controller; the bar (scroll_bar.h) lays out its box and tells the owner the
// new position with a scroll notification.
//
// The position stays in [min, last_first_position()], so the last page is
// always full.
#pragma once

#include <cstdint>

namespace notus::ownerdraw {

struct scrollbar_model {
  std::int32_t min = 0;
  std::int32_t max = 0;
  std::int32_t page = 0;
  std::int32_t position = 0;
  // What one click on an arrow moves.
  std::int32_t step = 1;
  // Copied into word 0 of every scroll notification; the bar never changes it.
  std::int32_t tag = 0;

  // max - page, or min when that is not below max (no page) or not above
  // min (everything fits).
  std::int32_t last_first_position() const noexcept;

  // Throws std::invalid_argument "Minimum is greater then Maximum." when
  // min > max.  Otherwise stores the range, resets the step to 1 and answers
  // set_position(position), which may still throw with the range stored.
  bool set_range(std::int32_t min, std::int32_t max, std::int32_t page, std::int32_t position);
  // Throws std::range_error "Position is less then Minimum." or "Position is
  // more then Max first position allowed." and changes nothing then; answers
  // false when the value is the current position.
  bool set_position(std::int32_t value);
  std::int32_t clamp_position(std::int32_t value) const;
};

// value clamped to [lo, hi]; throws std::range_error "Min is bigger then
// Max." when lo > hi.
std::int32_t clamp_range(std::int32_t lo, std::int32_t hi, std::int32_t value);

}  // namespace notus::ownerdraw
