// What the files of the emulated device tell each other: each keeps its own
// state and resets it here; the power manager reads the registry.
#pragma once

#include "winapi/device.h"

namespace winapi::device::parts {

void ResetRegistry();
void ResetPower();
void ResetInstanceLock();
DeviceShell* Shell();

}  // namespace winapi::device::parts
