// The handheld's screen: the device's (the emulated size, or the monitor's
// when full screen); the layouts are scaled to it.
#include "forms/application/GetCurrentScreenResolutionCommand.h"

#include "winapi/windows.h"

void GetCurrentScreenResolutionCommand::Execute() {
  width = GetSystemMetrics(SM_CXSCREEN);
  height = GetSystemMetrics(SM_CYSCREEN);
}
