// A 32-bit image in a DIB section: the back buffer the size of the main
// window's client area, or a cached bitmap.  Pixels are blue, green, red,
// alpha; the DIB is bottom-up and the AGG rendering buffer addresses it top
// down (row 0 is the last row in memory, the stride is negative).
//
// All AGG drawing goes through renderer(), whose clip box a paint pass
// narrows to the area it repaints; the text and native-control copies of the
// layer honour the same box (clip_rect()).
//
// A width or height of zero or less is legal (a collapsed widget, a
// minimised window): such a buffer has no DIB and every drawing into it or
// copy out of it does nothing.
#pragma once

#include "notus/platform/ownerdrawWin32/details/saturating_blender.h"
#include "winapi/windows.h"

#include <agg_renderer_base.h>
#include <agg_renderer_primitives.h>
#include <agg_rendering_buffer.h>

#include <cstdint>

namespace notus::impl::details {

class GDIBuffer {
 public:
  using pixfmt_type = pixfmt_bgra32_saturating;
  using renderer_base_type = agg::renderer_base<pixfmt_type>;
  using primitives_type = agg::renderer_primitives<renderer_base_type>;

  static constexpr int bytes_per_pixel = 4;

  // owner: the window whose DC the DIB is made on and whose DC the copies
  // are made compatible with; null for cached bitmaps.  Every byte starts
  // at 0.
  GDIBuffer(HWND owner, int width, int height);
  GDIBuffer(const GDIBuffer&) = delete;
  GDIBuffer& operator=(const GDIBuffer&) = delete;
  ~GDIBuffer();

  // Sets every byte of the image to value.
  void fill_bytes(unsigned char value);

  // Copies dest_rect (right and bottom outside) from the image at source to
  // the same-sized area of dest at dest_rect's top-left.
  void blit(HDC dest, const RECT& dest_rect, POINT source) const;
  // The reverse: copies from source_dc at source into dest_rect of the
  // image, within the clip box.
  void copy_from_dc(HDC source_dc, const RECT& dest_rect, POINT source);

  // The renderer's clip box as a rectangle with right and bottom outside.
  RECT clip_rect() const;
  // Clips all drawing to r (right and bottom outside), within the image.
  void set_clip_rect(const RECT& r);
  // The whole image again.
  void reset_clip();

  renderer_base_type& renderer() noexcept { return m_rendererBase; }
  primitives_type& primitives() noexcept { return m_primitives; }
  pixfmt_type& pixel_format() noexcept { return m_pixelFormat; }
  const pixfmt_type& pixel_format() const noexcept { return m_pixelFormat; }

  HBITMAP dib() const noexcept { return m_dib; }
  // The lowest address of the pixel memory (the image's last row); null
  // for an empty buffer.
  unsigned char* pixels() const noexcept { return m_pixels; }
  int width() const noexcept { return m_width; }
  int height() const noexcept { return m_height; }
  // Bytes from one image row to the next one down (negative).
  int stride() const noexcept { return -bytes_per_pixel * m_width; }
  HWND owner() const noexcept { return m_owner; }

  // The pixel at (x, y), row 0 at the top, as 0xAARRGGBB.
  std::uint32_t pixel(int x, int y) const;

 private:
  agg::rendering_buffer m_renderingBuffer;
  pixfmt_type m_pixelFormat;
  renderer_base_type m_rendererBase;
  primitives_type m_primitives;
  HBITMAP m_dib = nullptr;
  unsigned char* m_pixels = nullptr;
  int m_width = 0;
  int m_height = 0;
  HWND m_owner;
};

}  // namespace notus::impl::details
