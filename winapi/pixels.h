// 32-bit pixel memory as the core sees it: B,G,R,A bytes per pixel, read as
// one little-endian 0xAARRGGBB word.  A view addresses rows top-down through
// a signed stride, so a bottom-up DIB section (row 0 is the last row in
// memory) and a top-down window surface are handled alike.
#pragma once

#include "winapi/windows.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace winapi::core {

struct PixelView {
  std::uint8_t* top = nullptr;  // first byte of the top row
  std::ptrdiff_t stride = 0;    // bytes from one row to the one below
  int width = 0;
  int height = 0;

  std::uint32_t* Row(int y) const { return reinterpret_cast<std::uint32_t*>(top + stride * y); }
  RECT Bounds() const { return RECT{0, 0, width, height}; }
};

// A top-down image that owns its pixels (window surfaces).
class OwnedPixels {
 public:
  OwnedPixels() = default;
  OwnedPixels(int width, int height, std::uint32_t fill);

  PixelView View();
  int Width() const { return width_; }
  int Height() const { return height_; }

  // New size; the overlapping top-left part is kept, the rest is `fill`.
  void Resize(int width, int height, std::uint32_t fill);

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint32_t> pixels_;
};

RECT Intersect(const RECT& a, const RECT& b);
RECT Union(const RECT& a, const RECT& b);  // an empty side is ignored
bool IsEmpty(const RECT& r);
RECT Offset(const RECT& r, int dx, int dy);

// Copies src pixels starting at `srcOrigin` to `dstRect` of dst.  The
// rectangle is clipped to both images; overlapping copies within one image
// are safe.  Returns the rectangle of dst that was written.
RECT CopyPixels(const PixelView& dst, RECT dstRect, const PixelView& src, POINT srcOrigin);

void FillPixels(const PixelView& dst, RECT rect, std::uint32_t value);

// Blends black at `coverage` (0..255) over one pixel, premultiplied "over":
// colour channels shrink by the coverage, alpha grows by it.
void BlendBlack(std::uint32_t& pixel, unsigned coverage);

inline constexpr std::uint32_t kOpaqueWhite = 0xFFFFFFFFu;

}  // namespace winapi::core
