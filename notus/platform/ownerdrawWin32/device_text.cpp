// Text of the drawing device: measured and drawn by the Win32 layer in its
// default font, into a memory DC over the current target's DIB.
#include "notus/platform/ownerdrawWin32/device.h"
#include "notus/platform/ownerdrawWin32/device_recording.h"

#include "notus/platform/ownerdrawWin32/GDIBuffer.h"

namespace notus::gdi {

using impl::details::GDIBuffer;

namespace {

class memory_dc {
 public:
  explicit memory_dc(HDC compatible_with) : m_dc(CreateCompatibleDC(compatible_with)) {}
  memory_dc(const memory_dc&) = delete;
  memory_dc& operator=(const memory_dc&) = delete;
  ~memory_dc() {
    if (m_previous) SelectObject(m_dc, m_previous);
    if (m_dc) DeleteDC(m_dc);
  }

  bool select(HBITMAP bitmap) {
    m_previous = m_dc && bitmap ? SelectObject(m_dc, bitmap) : nullptr;
    return m_previous != nullptr;
  }

  HDC get() const noexcept { return m_dc; }

 private:
  HDC m_dc;
  HGDIOBJ m_previous = nullptr;
};

}  // namespace

// The layer's memory DCs are all alike (screen-compatible), whichever DC
// they are made from, so no paint DC has to be alive for them.
device<notus::traits>::size_type device<notus::traits>::text_extent(const std::wstring& text) const {
  memory_dc dc(nullptr);
  SIZE extent{0, 0};
  if (dc.get()) GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &extent);
  return size_type{extent.cx, extent.cy};
}

void device<notus::traits>::draw_text(const std::wstring& text, const device_rect& r, UINT flags) {
  if (recording::on())
    recording::record("draw_text", {recording::text(text), recording::rect(r), recording::number(flags)});
  GDIBuffer& buffer = target();
  // Text keeps to the area the paint pass repaints, as the shapes do:
  // anti-aliased glyphs drawn again over their old pixels would darken.
  const RECT clip = buffer.clip_rect();
  if (clip.right <= clip.left || clip.bottom <= clip.top) return;
  memory_dc dc(nullptr);
  if (!dc.select(buffer.dib())) return;
  IntersectClipRect(dc.get(), clip.left, clip.top, clip.right, clip.bottom);
  SetBkMode(dc.get(), TRANSPARENT);
  const point_type o = origin();
  RECT box{r.left + o.x, r.top + o.y, r.right + o.x, r.bottom + o.y};
  DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &box, flags | DT_SINGLELINE);
}

}  // namespace notus::gdi
