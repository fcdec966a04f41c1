// The platform types the framework is built over: our Win32 layer.  Every
// handle and pointer is pointer-sized, as the layer defines them.
#pragma once

#include "winapi/windows.h"

namespace notus {

namespace impl {
template <class Traits>
struct event;
namespace details {
class GDIBuffer;
class CBitmap;
}  // namespace details
}  // namespace impl

struct traits {
  using window_handle = HWND;
  using device_context = HDC;
  using native_message = MSG;
  using paint_record = PAINTSTRUCT;
  using back_buffer = impl::details::GDIBuffer;
  // An owned image that painters render once and blend on every paint
  // (notus/platform/ownerdrawWin32/CBitmap.h).
  using CBitmap = impl::details::CBitmap;

  // Fills a platform event's kind from its copied message record; the
  // platform layer defines it (with EventFromMessage).
  static void classify(impl::event<traits>& event);
};

}  // namespace notus
