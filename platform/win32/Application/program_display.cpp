#include "platform/win32/Application/program_display.h"

#include "notus/platform/ownerdrawWin32/app.h"
#include "winapi/sdl/sdl.h"

#include <cstdio>

namespace desktop {

bool HaveDisplay() {
  if (winapi::sdl::IsActive() || winapi::sdl::HeadlessAsked()) {
    return true;
  }
  std::fputs("tavlin: no display to open a window on (set DISPLAY, or TAVLIN_HEADLESS=1 to run without a window)\n",
             stderr);
  return false;
}

void CloseDisplay() {
  notus::impl::details::app::instance().release();
  winapi::sdl::Shutdown();
}

}  // namespace desktop
