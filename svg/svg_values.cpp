// Colour and number values of attributes: static helpers of the parser.
#include "svg/svg_parser.h"

#include "svg/color_names.h"
#include "svg/number_conversion.h"
#include "svg/svg_exception.h"

#include <cctype>

namespace agg::svg {

namespace {

int hex_digit_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

rgba8 parse_hex_color(const char* digits) {
  unsigned value = 0;
  int count = 0;
  for (; hex_digit_value(*digits) >= 0; ++digits, ++count)
    value = (value << 4) | static_cast<unsigned>(hex_digit_value(*digits));
  if (count == 3) {
    // "#rgb" is shorthand for "#rrggbb".
    const unsigned r = (value >> 8) & 0xF, g = (value >> 4) & 0xF, b = value & 0xF;
    return rgba8(r * 17, g * 17, b * 17, 255);
  }
  return rgba8((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF, 255);
}

}  // namespace

rgba8 parser::parse_color(const char* str) {
  while (*str == ' ') ++str;
  if (*str == '#') return parse_hex_color(str + 1);
  const named_color* row = find_color_name(str);
  if (row == nullptr) throw exception("parse_color: Invalid color name '%s'", str);
  return rgba8(row->r, row->g, row->b, row->a);
}

double parser::parse_double(const char* str) {
  while (*str == ' ') ++str;
  return string_to_double(str);
}

}  // namespace agg::svg
