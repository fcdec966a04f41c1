// The paint pass of the window controller.  Only the union of what changed
// is repainted: the dirty windows and the global invalid rectangle (areas
// that windows left).  Windows meeting that area are painted back to front,
// each in its own coordinates through the paint event's origin, with all
// drawing clipped to the area.
#include "notus/platform/ownerdrawWin32/virtual_window_controller.h"

#include "notus/platform/ownerdrawWin32/GDIBuffer.h"
#include "notus/platform/ownerdrawWin32/invalid_rect.h"
#include "notus/platform/ownerdrawWin32/winobj_virtual_window.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace notus::impl::details {

namespace {

bool is_empty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

RECT union_of(const RECT& a, const RECT& b) {
  return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
              std::max(a.bottom, b.bottom)};
}

// Edges included: a window that only touches the area is painted too.
bool meets(const RECT& a, const RECT& b) {
  return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

// A native text-entry control draws itself; its pixels go under the frame
// the window's paint strategy draws.
void copy_native_control(GDIBuffer& buffer, const winobj_virtual_window& w) {
  const HWND control = w.native_window();
  if (!(w.flags() & winobj_virtual_window::flag_native_edit) || !control || !IsWindow(control)) return;
  const HDC control_dc = GetDC(control);
  if (!control_dc) return;
  buffer.copy_from_dc(control_dc, w.rect(), POINT{0, 0});
  ReleaseDC(control, control_dc);
}

}  // namespace

void virtual_window_controller::lay_backdrop(GDIBuffer& buffer) {
  const int width = buffer.width();
  const int height = buffer.height();
  if (buffer.pixels() == nullptr || width <= 0 || height <= 0) return;
  const auto* pixels = reinterpret_cast<const std::uint32_t*>(buffer.pixels());
  const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  if (m_backdropSource != &buffer || m_backdropWidth != width || m_backdrop.size() != count) {
    m_backdrop.assign(pixels, pixels + count);
    m_backdropSource = &buffer;
    m_backdropWidth = width;
    return;
  }
  // Row 0 of the image is the last in memory.
  const RECT clip = buffer.clip_rect();
  if (is_empty(clip)) return;
  const std::size_t span = static_cast<std::size_t>(clip.right - clip.left) * sizeof(std::uint32_t);
  for (int y = clip.top; y < clip.bottom; ++y) {
    const std::size_t at = static_cast<std::size_t>(height - 1 - y) * static_cast<std::size_t>(width) +
                           static_cast<std::size_t>(clip.left);
    std::memcpy(buffer.pixels() + at * sizeof(std::uint32_t), m_backdrop.data() + at, span);
  }
}

RECT virtual_window_controller::paint(GDIBuffer& buffer, HDC dc) {
  RECT area = invalid_rect();
  if (m_paintOrder.empty()) {
    clear_invalid_rect();
    return area;
  }
  // Only what is shown widens the area.  A hidden window stays dirty until
  // it is painted, but its pixels are not on screen, and hiding it already
  // gave back the area it covered; widening by it would repaint and copy
  // that area on every tick for as long as it stays hidden.  A window
  // without pixels adds nothing.
  for (const window* w : m_paintOrder) {
    if (!w->dirty() || !w->visible() || is_empty(w->rect())) continue;
    area = is_empty(area) ? w->rect() : union_of(area, w->rect());
  }
  if (is_empty(area)) {
    clear_invalid_rect();
    return area;
  }
  ++area.right;
  ++area.bottom;
  buffer.set_clip_rect(area);
  if (m_keepsBackdrop) lay_backdrop(buffer);

  // A paint strategy may make or drop windows; walk a copy and skip those
  // that have gone meanwhile.
  const std::vector<window*> painting(m_paintOrder.begin(), m_paintOrder.end());
  for (window* w : painting) {
    if (std::find(m_paintOrder.begin(), m_paintOrder.end(), w) == m_paintOrder.end()) continue;
    if (!w->visible() || !meets(w->rect(), area)) continue;
    w->set_dirty(false);
    copy_native_control(buffer, *w);
    const RECT& r = w->rect();
    const RECT client{0, 0, r.right - r.left, r.bottom - r.top};
    event<traits> e(ev_paint{0, dc, &buffer, r.left, r.top, client, client, 0, 0, 0});
    w->handle_event(e);
  }

  // Drawing outside a pass (a splash, a wait form) must not inherit the
  // area of the last one.
  buffer.reset_clip();
  clear_invalid_rect();
  return area;
}

}  // namespace notus::impl::details
