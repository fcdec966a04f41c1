// The device context object behind a drawing device: the context it was made
// over (owned or not), the back buffer of the paint event and the origin of
// the window being painted, in back-buffer pixels.
#pragma once

#include "winapi/windows.h"

namespace notus::impl::details {

class GDIBuffer;

class devobj {
 public:
  // A device over a paint event's context; the context is not owned.
  devobj(HDC dc, GDIBuffer* back_buffer, int origin_x, int origin_y) noexcept;
  // A device over the screen's context, owned and released by the
  // destructor.  Stops the program when the screen context cannot be had.
  devobj();
  devobj(const devobj&) = delete;
  devobj& operator=(const devobj&) = delete;
  virtual ~devobj();

  HDC dc() const noexcept { return m_dc; }
  bool owns_dc() const noexcept { return m_ownsDc; }
  GDIBuffer* back_buffer() const noexcept { return m_backBuffer; }
  int origin_x() const noexcept { return m_originX; }
  int origin_y() const noexcept { return m_originY; }

 private:
  HDC m_dc;
  bool m_ownsDc;
  GDIBuffer* m_backBuffer;
  int m_originY;
  int m_originX;
};

}  // namespace notus::impl::details
