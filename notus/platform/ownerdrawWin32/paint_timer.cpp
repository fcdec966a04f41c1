#include "notus/platform/ownerdrawWin32/paint_timer.h"

#include "notus/platform/ownerdrawWin32/app.h"
#include "notus/platform/ownerdrawWin32/platform_assert.h"
#include "notus/platform/ownerdrawWin32/virtual_window_controller.h"

namespace notus::impl::details {

void CALLBACK PaintTimerProc(HWND window, UINT, UINT_PTR, DWORD) { PaintAndPresent(window, true); }

void PaintAndPresent(HWND window, bool with_dc) {
  virtual_window_controller* controller = virtual_window_controller::current();
  if (!controller) return;
  GDIBuffer* buffer = app::instance().back_buffer().get();
  platform_assert(buffer != nullptr, "px != 0", "notus/platform/ownerdrawWin32/paint_timer", __LINE__);
  HDC dc = with_dc ? GetDC(window) : nullptr;
  const RECT painted = controller->paint(*buffer, dc);
  if (!with_dc) dc = GetDC(window);
  if (dc) {
    buffer->blit(dc, painted, POINT{painted.left, painted.top});
    ReleaseDC(window, dc);
  }
}

}  // namespace notus::impl::details
