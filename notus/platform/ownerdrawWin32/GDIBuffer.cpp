#include "notus/platform/ownerdrawWin32/GDIBuffer.h"

#include <cstring>

namespace notus::impl::details {

namespace {

// A memory DC with the buffer's DIB selected, for the length of one copy.
class selected_dib {
 public:
  selected_dib(HDC compatible_with, HBITMAP dib)
      : m_dc(CreateCompatibleDC(compatible_with)), m_previous(m_dc ? SelectObject(m_dc, dib) : nullptr) {}
  selected_dib(const selected_dib&) = delete;
  selected_dib& operator=(const selected_dib&) = delete;
  ~selected_dib() {
    if (!m_dc) return;
    if (m_previous) SelectObject(m_dc, m_previous);
    DeleteDC(m_dc);
  }

  HDC dc() const noexcept { return m_previous ? m_dc : nullptr; }

 private:
  HDC m_dc;
  HGDIOBJ m_previous;
};

bool is_empty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

}  // namespace

GDIBuffer::GDIBuffer(HWND owner, int width, int height)
    : m_pixelFormat(m_renderingBuffer), m_rendererBase(m_pixelFormat), m_primitives(m_rendererBase), m_owner(owner) {
  if (width > 0 && height > 0) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // bottom-up
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    const HDC dc = GetDC(owner);
    void* bits = nullptr;
    m_dib = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (dc) ReleaseDC(owner, dc);
    if (m_dib && bits) {
      m_pixels = static_cast<unsigned char*>(bits);
      m_width = width;
      m_height = height;
    }
  }
  m_renderingBuffer.attach(m_pixels, static_cast<unsigned>(m_width), static_cast<unsigned>(m_height), stride());
  reset_clip();
  fill_bytes(0);
}

GDIBuffer::~GDIBuffer() {
  if (m_dib) DeleteObject(m_dib);
}

void GDIBuffer::fill_bytes(unsigned char value) {
  if (m_pixels) std::memset(m_pixels, value, static_cast<std::size_t>(m_width) * m_height * bytes_per_pixel);
}

void GDIBuffer::blit(HDC dest, const RECT& dest_rect, POINT source) const {
  if (!m_dib || !dest || is_empty(dest_rect)) return;
  selected_dib memory(dest, m_dib);
  if (!memory.dc()) return;
  BitBlt(dest, dest_rect.left, dest_rect.top, dest_rect.right - dest_rect.left, dest_rect.bottom - dest_rect.top,
         memory.dc(), source.x, source.y, SRCCOPY);
}

void GDIBuffer::copy_from_dc(HDC source_dc, const RECT& dest_rect, POINT source) {
  if (!m_dib || !source_dc || is_empty(dest_rect)) return;
  selected_dib memory(source_dc, m_dib);
  if (!memory.dc()) return;
  const RECT clip = clip_rect();
  IntersectClipRect(memory.dc(), clip.left, clip.top, clip.right, clip.bottom);
  BitBlt(memory.dc(), dest_rect.left, dest_rect.top, dest_rect.right - dest_rect.left, dest_rect.bottom - dest_rect.top,
         source_dc, source.x, source.y, SRCCOPY);
}

RECT GDIBuffer::clip_rect() const {
  const agg::rect_i& box = m_rendererBase.clip_box();
  if (box.x2 < box.x1 || box.y2 < box.y1) return RECT{0, 0, 0, 0};
  return RECT{box.x1, box.y1, box.x2 + 1, box.y2 + 1};
}

void GDIBuffer::set_clip_rect(const RECT& r) {
  // renderer_base would swap the edges of an empty box; it clips a
  // non-empty one to the image and shuts everything out when they miss.
  if (is_empty(r))
    m_rendererBase.reset_clipping(false);
  else
    m_rendererBase.clip_box(r.left, r.top, r.right - 1, r.bottom - 1);
}

void GDIBuffer::reset_clip() { m_rendererBase.reset_clipping(true); }

std::uint32_t GDIBuffer::pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= m_width || y >= m_height) return 0;
  const unsigned char* p = m_renderingBuffer.row_ptr(y) + x * bytes_per_pixel;
  return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24);
}

}  // namespace notus::impl::details
