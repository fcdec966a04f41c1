// Points, sizes and rectangles of the framework, in signed 32-bit pixels.
// Rectangles are left, top, right, bottom with the right and bottom edges
// outside the rectangle.
#pragma once

#include <algorithm>
#include <cstdint>

namespace notus {

template <class Traits>
struct point {
  std::int32_t x = 0;
  std::int32_t y = 0;
};

template <class Traits>
struct size {
  std::int32_t width = 0;
  std::int32_t height = 0;
};

template <class Traits>
struct rect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
};

// Writes the intersection of a and b into out and tells whether they meet.
// Rectangles that only touch meet, with an empty result.  When the columns do
// not overlap, out keeps its old values; when only the rows do not, out has
// already got its new left and right.  Callers test the result, not out.
// Any rectangle type with the four fields will do (RECT among them).
template <class A, class B, class Out>
bool intersect(const A& a, const B& b, Out& out) {
  const std::int32_t left = std::max<std::int32_t>(a.left, b.left);
  const std::int32_t right = std::min<std::int32_t>(a.right, b.right);
  if (left > right) return false;
  out.left = left;
  out.right = right;
  const std::int32_t top = std::max<std::int32_t>(a.top, b.top);
  const std::int32_t bottom = std::min<std::int32_t>(a.bottom, b.bottom);
  if (top > bottom) return false;
  out.top = top;
  out.bottom = bottom;
  return true;
}

}  // namespace notus
