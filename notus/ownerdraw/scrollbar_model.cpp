#include "notus/ownerdraw/scrollbar_model.h"

#include <stdexcept>

namespace notus::ownerdraw {

std::int32_t scrollbar_model::last_first_position() const noexcept {
  // In 64 bits: a negative page must not wrap around.
  const std::int64_t last = std::int64_t{max} - page;
  if (last >= max || last <= min) return min;
  return static_cast<std::int32_t>(last);
}

bool scrollbar_model::set_range(std::int32_t new_min, std::int32_t new_max, std::int32_t new_page,
                                std::int32_t new_position) {
  if (new_min > new_max) throw std::invalid_argument("Minimum is greater then Maximum.");
  min = new_min;
  max = new_max;
  page = new_page;
  step = 1;
  return set_position(new_position);
}

bool scrollbar_model::set_position(std::int32_t value) {
  if (value < min) throw std::range_error("Position is less then Minimum.");
  if (value > last_first_position()) throw std::range_error("Position is more then Max first position allowed.");
  if (value == position) return false;
  position = value;
  return true;
}

std::int32_t scrollbar_model::clamp_position(std::int32_t value) const {
  return clamp_range(min, last_first_position(), value);
}

std::int32_t clamp_range(std::int32_t lo, std::int32_t hi, std::int32_t value) {
  if (lo > hi) throw std::range_error("Min is bigger then Max.");
  if (value < lo) return lo;
  if (value > hi) return hi;
  return value;
}

}  // namespace notus::ownerdraw
