#include "winapi/pixels.h"

#include <algorithm>
#include <cstring>

namespace winapi::core {

OwnedPixels::OwnedPixels(int width, int height, std::uint32_t fill)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pixels_(static_cast<std::size_t>(width_) * height_, fill) {}

PixelView OwnedPixels::View() {
  return PixelView{reinterpret_cast<std::uint8_t*>(pixels_.data()), static_cast<std::ptrdiff_t>(width_) * 4, width_,
                   height_};
}

void OwnedPixels::Resize(int width, int height, std::uint32_t fill) {
  OwnedPixels resized(width, height, fill);
  CopyPixels(resized.View(), resized.View().Bounds(), View(), POINT{0, 0});
  *this = std::move(resized);
}

bool IsEmpty(const RECT& r) { return r.left >= r.right || r.top >= r.bottom; }

RECT Intersect(const RECT& a, const RECT& b) {
  RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
  return IsEmpty(r) ? RECT{0, 0, 0, 0} : r;
}

RECT Union(const RECT& a, const RECT& b) {
  if (IsEmpty(a)) {
    return b;
  }
  if (IsEmpty(b)) {
    return a;
  }
  return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
              std::max(a.bottom, b.bottom)};
}

RECT Offset(const RECT& r, int dx, int dy) { return RECT{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}; }

RECT CopyPixels(const PixelView& dst, RECT dstRect, const PixelView& src, POINT srcOrigin) {
  // Clip against the destination, then against the source mapped into
  // destination coordinates.
  const int dx = dstRect.left - srcOrigin.x;
  const int dy = dstRect.top - srcOrigin.y;
  RECT r = Intersect(dstRect, dst.Bounds());
  r = Intersect(r, Offset(src.Bounds(), dx, dy));
  if (IsEmpty(r)) {
    return RECT{0, 0, 0, 0};
  }
  const std::size_t rowBytes = static_cast<std::size_t>(r.right - r.left) * 4;
  const bool sameImage = dst.top == src.top;
  // Walk rows bottom-up when copying downwards within one image, so that no
  // source row is overwritten before it is read.
  const bool upwards = sameImage && dy > 0;
  for (int i = 0; i < r.bottom - r.top; ++i) {
    const int y = upwards ? r.bottom - 1 - i : r.top + i;
    std::memmove(dst.Row(y) + r.left, src.Row(y - dy) + (r.left - dx), rowBytes);
  }
  return r;
}

void FillPixels(const PixelView& dst, RECT rect, std::uint32_t value) {
  const RECT r = Intersect(rect, dst.Bounds());
  for (int y = r.top; y < r.bottom; ++y) {
    std::fill(dst.Row(y) + r.left, dst.Row(y) + r.right, value);
  }
}

void BlendBlack(std::uint32_t& pixel, unsigned coverage) {
  if (coverage == 0) {
    return;
  }
  const unsigned keep = 255 - coverage;
  const auto scale = [keep](std::uint32_t channel) { return (channel * keep + 127) / 255; };
  const std::uint32_t b = scale(pixel & 0xFF);
  const std::uint32_t g = scale((pixel >> 8) & 0xFF);
  const std::uint32_t r = scale((pixel >> 16) & 0xFF);
  const std::uint32_t a = pixel >> 24;
  const std::uint32_t alpha = a + (coverage * (255 - a) + 127) / 255;
  pixel = b | (g << 8) | (r << 16) | (alpha << 24);
}

}  // namespace winapi::core
