#include "notus/platform/ownerdrawWin32/details/devobj.h"

#include "notus/platform/ownerdrawWin32/platform_assert.h"

namespace notus::impl::details {

devobj::devobj(HDC dc, GDIBuffer* back_buffer, int origin_x, int origin_y) noexcept
    : m_dc(dc), m_ownsDc(false), m_backBuffer(back_buffer), m_originY(origin_y), m_originX(origin_x) {}

devobj::devobj() : m_dc(GetDC(nullptr)), m_ownsDc(true), m_backBuffer(nullptr), m_originY(0), m_originX(0) {
  platform_assert(m_dc != nullptr, "h_", "notus/platform/ownerdrawWin32/details/devobj", 61);
}

devobj::~devobj() {
  if (m_ownsDc && m_dc) ReleaseDC(nullptr, m_dc);
}

}  // namespace notus::impl::details
