// A 32-bit DIB section selected into its own memory DC, for tests.
#pragma once

#include "winapi/windows.h"

#include <algorithm>
#include <cstdint>

namespace winapi_test {

class Dib {
 public:
  // A positive height is bottom-up, as the game's back buffer is.
  Dib(int width, int height, std::uint32_t fill = 0) : width_(width), height_(height < 0 ? -height : height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<std::uint32_t*>(bits);
    bottomUp_ = height > 0;
    dc_ = CreateCompatibleDC(nullptr);
    old_ = SelectObject(dc_, bitmap_);
    for (int i = 0; i < width_ * height_; ++i) {
      bits_[i] = fill;
    }
  }
  ~Dib() {
    SelectObject(dc_, old_);
    DeleteDC(dc_);
    DeleteObject(bitmap_);
  }
  Dib(const Dib&) = delete;
  Dib& operator=(const Dib&) = delete;

  HDC Dc() const { return dc_; }
  HBITMAP Bitmap() const { return bitmap_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // Pixel at (x, y) with y = 0 the top row on screen.
  std::uint32_t& At(int x, int y) { return bits_[(bottomUp_ ? height_ - 1 - y : y) * width_ + x]; }

  // Bounding box of the pixels that differ from `background`; empty when none do.
  RECT Ink(std::uint32_t background) {
    RECT box{width_, height_, 0, 0};
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < width_; ++x) {
        if (At(x, y) != background) {
          box = RECT{std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x + 1),
                     std::max<LONG>(box.bottom, y + 1)};
        }
      }
    }
    return box.left < box.right ? box : RECT{0, 0, 0, 0};
  }

 private:
  int width_;
  int height_;
  bool bottomUp_ = true;
  HBITMAP bitmap_ = nullptr;
  std::uint32_t* bits_ = nullptr;
  HDC dc_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

}  // namespace winapi_test
