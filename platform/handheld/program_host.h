// What the handheld program hands the shared start-up: that it is the
// handheld, the device's screen (the emulated size, or the monitor's when
// full screen; the layouts are scaled to it), its splash and keeping the
// device awake while a puzzle is on screen.  It talks to no web server: no
// version check, no statistics report, no logo download.
#pragma once

#include "forms/common/ProgramHost.h"

namespace handheld {

ProgramHost Host();

}  // namespace handheld
