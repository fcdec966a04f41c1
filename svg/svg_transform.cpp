// The "transform" attribute: keywords, their arguments and their matrices.
#include "svg/svg_parser.h"

#include "svg/number_conversion.h"
#include "svg/svg_exception.h"

#include <cctype>
#include <cmath>
#include <cstring>
#include <string>

namespace agg::svg {

namespace {

const double pi = 3.141592653589793;

double degrees_to_radians(double degrees) { return degrees * pi / 180.0; }

bool is_argument_char(char c) { return c != 0 && std::strchr("0123456789+-.eE", c) != nullptr; }

}  // namespace

unsigned parser::parse_transform_args(const char* str, double* args, unsigned max_na, unsigned& na) {
  na = 0;
  const char* ptr = str;
  while (*ptr && *ptr != '(') ++ptr;
  if (*ptr == 0) throw exception("parse_transform_args: Invalid syntax");
  const char* end = ptr;
  while (*end && *end != ')') ++end;
  if (*end == 0) throw exception("parse_transform_args: Invalid syntax");

  std::string number;
  while (ptr < end) {
    if (!is_argument_char(*ptr)) {
      ++ptr;
      continue;
    }
    if (na >= max_na) throw exception("parse_transform_args: Too many arguments");
    // A sign starts a new number unless it is an exponent's ("1-2" is two
    // numbers, "1e-2" is one).
    number.assign(1, *ptr++);
    while (ptr < end && is_argument_char(*ptr)) {
      const bool sign = *ptr == '-' || *ptr == '+';
      const char previous = number.back();
      if (sign && previous != 'e' && previous != 'E') break;
      number += *ptr++;
    }
    args[na++] = string_to_double(number.c_str());
  }
  return static_cast<unsigned>(end - str);
}

void parser::parse_transform(const char* str) {
  while (*str) {
    if (std::islower(static_cast<unsigned char>(*str))) {
      if (std::strncmp(str, "matrix", 6) == 0)
        str += parse_matrix(str);
      else if (std::strncmp(str, "translate", 9) == 0)
        str += parse_translate(str);
      else if (std::strncmp(str, "rotate", 6) == 0)
        str += parse_rotate(str);
      else if (std::strncmp(str, "scale", 5) == 0)
        str += parse_scale(str);
      else if (std::strncmp(str, "skewX", 5) == 0)
        str += parse_skew_x(str);
      else if (std::strncmp(str, "skewY", 5) == 0)
        str += parse_skew_y(str);
      else
        ++str;
    } else {
      ++str;
    }
  }
}

// Each keyword's transform is applied to coordinates before the ones already
// there, as SVG reads a transform list.

unsigned parser::parse_matrix(const char* str) {
  double args[6];
  unsigned na = 0;
  const unsigned len = parse_transform_args(str, args, 6, na);
  if (na != 6) throw exception("parse_matrix: Invalid number of arguments");
  m_path.transform().premultiply(trans_affine(args[0], args[1], args[2], args[3], args[4], args[5]));
  return len;
}

unsigned parser::parse_translate(const char* str) {
  double args[2] = {0.0, 0.0};
  unsigned na = 0;
  const unsigned len = parse_transform_args(str, args, 2, na);
  if (na > 0) m_path.transform().premultiply(trans_affine_translation(args[0], na == 2 ? args[1] : 0.0));
  return len;
}

unsigned parser::parse_rotate(const char* str) {
  double args[3];
  unsigned na = 0;
  const unsigned len = parse_transform_args(str, args, 3, na);
  if (na == 1) {
    m_path.transform().premultiply(trans_affine_rotation(degrees_to_radians(args[0])));
  } else if (na == 3) {
    trans_affine t = trans_affine_translation(-args[1], -args[2]);
    t *= trans_affine_rotation(degrees_to_radians(args[0]));
    t *= trans_affine_translation(args[1], args[2]);
    m_path.transform().premultiply(t);
  } else {
    throw exception("parse_rotate: Invalid number of arguments");
  }
  return len;
}

unsigned parser::parse_scale(const char* str) {
  double args[2];
  unsigned na = 0;
  const unsigned len = parse_transform_args(str, args, 2, na);
  if (na > 0) m_path.transform().premultiply(trans_affine_scaling(args[0], na == 2 ? args[1] : args[0]));
  return len;
}

unsigned parser::parse_skew_x(const char* str) {
  double arg;
  unsigned na = 0;
  const unsigned len = parse_transform_args(str, &arg, 1, na);
  if (na == 1) m_path.transform().premultiply(trans_affine_skewing(degrees_to_radians(arg), 0.0));
  return len;
}

unsigned parser::parse_skew_y(const char* str) {
  double arg;
  unsigned na = 0;
  const unsigned len = parse_transform_args(str, &arg, 1, na);
  if (na == 1) m_path.transform().premultiply(trans_affine_skewing(0.0, degrees_to_radians(arg)));
  return len;
}

}  // namespace agg::svg
