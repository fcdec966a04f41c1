#include "platform/win32/Application/program_display.h"

#include "notus/platform/ownerdrawWin32/app.h"
#include "winapi/sdl/sdl.h"

#include <cstdio>

namespace desktop {

bool HaveDisplay() {
  if (winapi::sdl::IsActive() || winapi::sdl::HeadlessAsked()) {
    return true;
  }
  // SDL's reason tells a missing DISPLAY from a display that refused us
  // (too many clients, no access, a server going down).
  std::fprintf(
      stderr,
      "tavlin: no display to open a window on: %s (set DISPLAY, or TAVLIN_HEADLESS=1 to run without a window)\n",
      winapi::sdl::StartFailure());
  return false;
}

void CloseDisplay() {
  notus::impl::details::app::instance().release();
  winapi::sdl::Shutdown();
}

}  // namespace desktop
