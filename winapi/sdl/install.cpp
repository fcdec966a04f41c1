// Installs the SDL backend while static objects are built, or the headless
// one with a real clock when running without a window is asked for or no
// display can be opened.  The library's CMake target makes every program that
// links it keep this object file (through the anchor symbol below), so
// linking the library is enough.
#include "winapi/headless/headless.h"
#include "winapi/sdl/sdl.h"

#include <cstdlib>
#include <cstring>

namespace winapi::sdl {
bool StartSdlBackend();

bool HeadlessAsked() {
  const char* asked = std::getenv("TAVLIN_HEADLESS");
  return asked != nullptr && *asked != '\0' && std::strcmp(asked, "0") != 0;
}
}  // namespace winapi::sdl

extern "C" {
extern const int winapi_sdl_anchor;
const int winapi_sdl_anchor = 0;
}

namespace {

struct Installer {
  Installer() {
    if (!winapi::sdl::HeadlessAsked() && winapi::sdl::StartSdlBackend()) {
      return;
    }
    winapi::headless::UseRealClock();
    winapi::headless::InstallHeadlessBackend();
  }
};

const Installer installer;

}  // namespace

// Programs built with the leak checker: the D-Bus library that SDL loads for
// input methods keeps a buffer for the whole process and never frees it.
// That is not ours to mend, so the checker is told to pass over it.
extern "C" const char* __lsan_default_suppressions() { return "leak:libdbus-1.so\n"; }
