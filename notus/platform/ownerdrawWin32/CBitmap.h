// An image the program owns outside the image cache: 32-bit pixels (blue,
// green, red, alpha in memory), rows stored bottom-up, with an AGG rendering
// buffer over them that addresses row 0 at the top, as the back buffer does.
// Painters render into it once (on a size event) and blend it on every
// paint with the device's blend_bitmap, which honours each pixel's alpha.
//
// Colours drawn into it go through the back buffer's own blend formula onto
// transparent black, so blending the image later gives the pixels that
// drawing the shapes directly would have given.
//
// An image of zero width or height holds no pixels; drawing into it and
// blending it do nothing.
#pragma once

#include "notus/platform/ownerdrawWin32/details/saturating_blender.h"

#include <agg_renderer_base.h>
#include <agg_rendering_buffer.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace notus::impl::details {

class CBitmap {
 public:
  using pixfmt_type = pixfmt_bgra32_saturating;
  using renderer_base_type = agg::renderer_base<pixfmt_type>;

  static constexpr int bytes_per_pixel = 4;

  CBitmap() { attach(); }
  CBitmap(const CBitmap& other) : m_pixels(other.m_pixels), m_width(other.m_width), m_height(other.m_height) {
    attach();
  }
  CBitmap& operator=(const CBitmap& other) {
    if (this != &other) {
      m_pixels = other.m_pixels;
      m_width = other.m_width;
      m_height = other.m_height;
      attach();
    }
    return *this;
  }
  ~CBitmap() = default;

  // Frees the old pixels and makes width x height transparent ones; a width
  // or height of zero or less leaves the image without pixels.
  void create(int width, int height) {
    std::vector<unsigned char>().swap(m_pixels);
    if (width > 0 && height > 0) {
      m_width = width;
      m_height = height;
      m_pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * bytes_per_pixel, 0);
    } else {
      m_width = 0;
      m_height = 0;
    }
    attach();
  }
  // Every pixel transparent black.
  void clear() { std::fill(m_pixels.begin(), m_pixels.end(), static_cast<unsigned char>(0)); }

  bool empty() const noexcept { return m_pixels.empty(); }
  int width() const noexcept { return m_width; }
  int height() const noexcept { return m_height; }
  // The lowest address of the pixel memory (the image's last row); null
  // for an image without pixels.
  unsigned char* pixels() noexcept { return m_pixels.empty() ? nullptr : m_pixels.data(); }
  // Bytes from one image row to the next one down (negative).
  int stride() const noexcept { return -bytes_per_pixel * m_width; }

  renderer_base_type& renderer() noexcept { return m_rendererBase; }
  pixfmt_type& pixel_format() noexcept { return m_pixelFormat; }
  const pixfmt_type& pixel_format() const noexcept { return m_pixelFormat; }

  // The pixel at (x, y), row 0 at the top, as 0xAARRGGBB; 0 outside.
  std::uint32_t pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) return 0;
    const unsigned char* p = m_renderingBuffer.row_ptr(y) + x * bytes_per_pixel;
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24);
  }

 private:
  void attach() {
    m_renderingBuffer.attach(m_pixels.empty() ? nullptr : m_pixels.data(), m_width, m_height, stride());
    m_pixelFormat.attach(m_renderingBuffer);
    m_rendererBase.attach(m_pixelFormat);
  }

  std::vector<unsigned char> m_pixels;
  int m_width = 0;
  int m_height = 0;
  agg::rendering_buffer m_renderingBuffer;
  pixfmt_type m_pixelFormat{m_renderingBuffer};
  renderer_base_type m_rendererBase{m_pixelFormat};
};

}  // namespace notus::impl::details
