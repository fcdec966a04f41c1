#pragma once

#include <span>

namespace agg::svg {

struct named_color {
  char name[22];
  unsigned char r, g, b, a;
};

inline constexpr unsigned max_color_name_length = 21;

// Every row of the colour table, in table order.
std::span<const named_color> color_names();

// Exact, case-sensitive lookup; null when the name is not in the table.
const named_color* find_color_name(const char* name);

}  // namespace agg::svg
