// Text of the drawing device: measured and drawn by the Win32 layer in its
// default font, into a memory DC over the current target's DIB.  A line
// that its box would cut is drawn in a smaller font of the same face, the
// largest at which it fits, so a label on a small screen reads whole while
// every text that fits keeps the program's one text size.
#include "notus/platform/ownerdrawWin32/device.h"
#include "notus/platform/ownerdrawWin32/device_recording.h"

#include "notus/platform/ownerdrawWin32/GDIBuffer.h"

#include <algorithm>
#include <string>
#include <vector>

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

// A font of the given line height selected into a DC for as long as it
// lives; a line height of 0 leaves the DC's default font.
class selected_font {
 public:
  selected_font(HDC dc, int line_height)
      : m_dc(dc),
        m_font(line_height > 0 ? CreateFontW(line_height, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, nullptr) : nullptr) {
    if (m_font) m_previous = SelectObject(m_dc, m_font);
  }
  selected_font(const selected_font&) = delete;
  selected_font& operator=(const selected_font&) = delete;
  ~selected_font() {
    if (m_previous) SelectObject(m_dc, m_previous);
    if (m_font) DeleteObject(m_font);
  }

 private:
  HDC m_dc;
  HFONT m_font;
  HGDIOBJ m_previous = nullptr;
};

SIZE extent_in(HDC dc, const std::wstring& text, int line_height) {
  const selected_font font(dc, line_height);
  SIZE extent{0, 0};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  return extent;
}

// A line fits a box no wider than it and at least three quarters of its
// height: a line has room above and below its letters, which a box a little
// lower still shows whole.
bool fits(const SIZE& extent, int width, int height) { return extent.cx <= width && 3 * extent.cy <= 4 * height; }

}  // namespace

int fitted_line_height(HDC dc, const std::wstring& text, const device_rect& r) {
  const int width = r.right - r.left;
  const int height = r.bottom - r.top;
  if (text.empty() || width <= 0 || height <= 0) return 0;
  const SIZE extent = extent_in(dc, text, 0);
  if (fits(extent, width, height) || extent.cy <= smallest_fitted_line_height) return 0;
  // The width grows about in proportion to the line height, so the search
  // starts just above the proportional guess and rarely takes more than a
  // step or two either way (small sizes may run a little narrower than in
  // proportion); the sizes tried are opened once for the whole run.
  int line = std::min(extent.cy - 1, height * 4 / 3);
  if (extent.cx > 0) line = std::min<long long>(line, 1 + static_cast<long long>(extent.cy) * width / extent.cx);
  line = std::max(line, smallest_fitted_line_height);
  while (line > smallest_fitted_line_height && !fits(extent_in(dc, text, line), width, height)) --line;
  while (line + 1 < extent.cy && fits(extent_in(dc, text, line + 1), width, height)) ++line;
  return line;
}

// The layer's memory DCs are all alike (screen-compatible), whichever DC
// they are made from, so no paint DC has to be alive for them.
device<notus::traits>::size_type device<notus::traits>::text_extent(const std::wstring& text) const {
  memory_dc dc(nullptr);
  SIZE extent{0, 0};
  if (dc.get()) GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &extent);
  return size_type{extent.cx, extent.cy};
}

void device<notus::traits>::draw_text(const std::wstring& text, const device_rect& r, UINT flags, overflow how) {
  memory_dc dc(nullptr);
  const int line_height = how == overflow::shrink ? fitted_line_height(dc.get(), text, r) : 0;
  if (recording::on()) {
    std::vector<std::string> arguments{recording::text(text), recording::rect(r), recording::number(flags)};
    if (line_height > 0) arguments.push_back(recording::number(line_height));
    recording::record(origin(), "draw_text", arguments);
  }
  GDIBuffer& buffer = target();
  // Text keeps to the area the paint pass repaints, as the shapes do:
  // anti-aliased glyphs drawn again over their old pixels would darken.
  const RECT clip = buffer.clip_rect();
  if (clip.right <= clip.left || clip.bottom <= clip.top) return;
  if (!dc.select(buffer.dib())) return;
  const selected_font font(dc.get(), line_height);
  IntersectClipRect(dc.get(), clip.left, clip.top, clip.right, clip.bottom);
  SetBkMode(dc.get(), TRANSPARENT);
  const point_type o = origin();
  RECT box{r.left + o.x, r.top + o.y, r.right + o.x, r.bottom + o.y};
  DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &box, flags | DT_SINGLELINE);
}

}  // namespace notus::gdi
