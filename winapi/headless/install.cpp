// Installs the headless backend while static objects are built, unless a
// backend is installed already.  The library's CMake target makes every
// program that links it keep this object file (through the anchor symbol
// below), so linking the library is enough.
#include "winapi/backend.h"
#include "winapi/headless/headless.h"

extern "C" {
extern const int winapi_headless_anchor;
const int winapi_headless_anchor = 0;
}

namespace {

// A program that links a real backend as well (which falls back on this one
// when no display is available) must keep that backend, whichever of the two
// static installers runs first.
struct Installer {
  Installer() {
    if (winapi::InstalledBackend() == nullptr) {
      winapi::headless::InstallHeadlessBackend();
    }
  }
};

const Installer installer;

}  // namespace
