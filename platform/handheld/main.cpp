// The handheld program.  Building the root window controller here (its
// definition comes with the header) makes it current before WinMain runs.
#include "notus/platform/ownerdrawWin32/app.h"
#include "notus/platform/ownerdrawWin32/root_controller.h"
#include "platform/handheld/handheld_entry.h"
#include "platform/host/session_end.h"
#include "winapi/sdl/sdl.h"

#include <cstdio>
#include <cstdlib>

int main() {
  host::EndSessionsSoundly();
  if (!winapi::sdl::IsActive() && !winapi::sdl::HeadlessAsked()) {
    std::fprintf(stderr,
                 "tavlin_handheld: no display to open a window on: %s (set DISPLAY, or TAVLIN_HEADLESS=1 to run "
                 "without a window)\n",
                 winapi::sdl::StartFailure());
    return EXIT_FAILURE;
  }
  handheld::PrepareDevice();
  const int result = WinMain(GetModuleHandleW(nullptr), nullptr, nullptr, SW_SHOWDEFAULT);
  // The window goes before SDL does, while our own code still runs (see
  // the desktop's CloseDisplay).
  notus::impl::details::app::instance().release();
  winapi::sdl::Shutdown();
  return result;
}
