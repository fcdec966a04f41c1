// Installs the headless backend while static objects are built.  The
// library's CMake target makes every program that links it keep this object
// file (through the anchor symbol below), so linking the library is enough.
#include "winapi/backend.h"

namespace winapi::headless {
void InstallHeadlessBackend();
}

extern "C" {
extern const int winapi_headless_anchor;
const int winapi_headless_anchor = 0;
}

namespace {

struct Installer {
    Installer() { winapi::headless::InstallHeadlessBackend(); }
};

const Installer installer;

}  // namespace
