#include "platform/handheld/program_host.h"

#include "platform/handheld/ShowSplashLogo.h"
#include "platform/handheld/SuspendKiller.h"
#include "winapi/windows.h"

ProgramHost handheld::Host() {
  ProgramHost host;
  host.kind = ProgramKind::handheld;
  host.screenSize = [] { return ScreenSize{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; };
  host.showSplash = &handheld::ShowSplashLogo;
  // Counted, so that only the first request switches suppression on and
  // only the last one off.
  host.keepAwake = [](bool keepAwake) { handheld::TheKeepAwakeCount().Request(keepAwake); };
  return host;
}
