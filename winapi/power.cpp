// The emulated device's power manager: the power requirements programs hold,
// the named event it owns and answers by rereading the suspend timeouts,
// and its idle timer.  What it means on the real screen (the screen saver
// held off or allowed) goes to the installed shell whenever it changes.
#include "winapi/device.h"
#include "winapi/device_parts.h"

#include <cwctype>
#include <map>
#include <string>

namespace winapi::device {
namespace {

constexpr const wchar_t* kReloadEventName = L"PowerManager/ReloadActivityTimeouts";
constexpr const wchar_t* kBacklightDevice = L"BKL1:";

struct Requirement {
  std::wstring device;
  CEDEVICE_POWER_STATE state = PwrDeviceUnspecified;
};

struct PowerManager {
  bool running = true;
  std::map<std::uintptr_t, Requirement> requirements;
  std::map<std::uintptr_t, std::wstring> events;
  // Requirement and event handles share one sequence, so that closing one
  // kind with the other's call is refused.
  std::uintptr_t nextHandle = 0x5000;
  std::size_t reloads = 0;
  DWORD acTimeout = kDeviceAcSuspendTimeout;
  DWORD batteryTimeout = kDeviceBatterySuspendTimeout;
  std::size_t idleResets = 0;
  bool awakeTold = false;
};

// Never destroyed, as the registry: static objects may release what they
// hold as the program ends.
PowerManager& Manager() {
  static auto* manager = new PowerManager;
  return *manager;
}

bool SameName(const std::wstring& a, const wchar_t* b) {
  const std::wstring other = b;
  if (a.size() != other.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::towlower(a[i]) != std::towlower(other[i])) return false;
  return true;
}

bool BacklightHeld() {
  for (const auto& [handle, requirement] : Manager().requirements)
    if (SameName(requirement.device, kBacklightDevice) && requirement.state == D0) return true;
  return false;
}

// Tells the shell only when the answer changes: the SDL calls are not free
// and a tick must not keep making them.
void TellShell() {
  const bool awake = KeepsDisplayAwake();
  if (awake == Manager().awakeTold) return;
  Manager().awakeTold = awake;
  if (DeviceShell* shell = parts::Shell()) shell->KeepDisplayAwake(awake);
}

// A value that is missing or not a DWORD leaves the device's own default in
// force, as the real manager does.
void ReloadTimeouts() {
  PowerManager& manager = Manager();
  ++manager.reloads;
  manager.acTimeout = RegistryDword(kPowerTimeoutsKey, L"ACSuspendTimeout").value_or(kDeviceAcSuspendTimeout);
  manager.batteryTimeout =
      RegistryDword(kPowerTimeoutsKey, L"BattSuspendTimeout").value_or(kDeviceBatterySuspendTimeout);
  TellShell();
}

}  // namespace

void SetPowerManagerRunning(bool running) { Manager().running = running; }
std::size_t TimeoutReloads() { return Manager().reloads; }
DWORD ReloadedAcTimeout() { return Manager().acTimeout; }
DWORD ReloadedBatteryTimeout() { return Manager().batteryTimeout; }
std::size_t HeldPowerRequirements() { return Manager().requirements.size(); }
std::size_t OpenEventHandles() { return Manager().events.size(); }
std::size_t IdleTimerResets() { return Manager().idleResets; }

bool KeepsDisplayAwake() { return BacklightHeld() || Manager().acTimeout == 0 || Manager().batteryTimeout == 0; }

namespace parts {
void ResetPower() {
  const bool wasAwake = Manager().awakeTold;
  Manager() = PowerManager{};
  Manager().awakeTold = wasAwake;
  TellShell();
}
}  // namespace parts

}  // namespace winapi::device

using winapi::device::Manager;

HANDLE SetPowerRequirement(PVOID device, CEDEVICE_POWER_STATE state, ULONG deviceFlags, PVOID, ULONG) {
  if (device == nullptr || (deviceFlags & POWER_NAME) == 0 || state <= PwrDeviceUnspecified ||
      state >= PwrDeviceMaximum)
    return nullptr;
  auto& manager = Manager();
  const std::uintptr_t handle = manager.nextHandle++;
  manager.requirements[handle] = {static_cast<const wchar_t*>(device), state};
  winapi::device::TellShell();
  return reinterpret_cast<HANDLE>(handle);
}

DWORD ReleasePowerRequirement(HANDLE requirement) {
  if (Manager().requirements.erase(reinterpret_cast<std::uintptr_t>(requirement)) == 0)
    return static_cast<DWORD>(ERROR_INVALID_HANDLE);
  winapi::device::TellShell();
  return static_cast<DWORD>(ERROR_SUCCESS);
}

void SystemIdleTimerReset() { ++Manager().idleResets; }

// Only the power manager's event exists, and only while the manager runs.
HANDLE OpenEventW(DWORD, BOOL, LPCWSTR name) {
  auto& manager = Manager();
  if (!manager.running || name == nullptr || std::wstring(name) != winapi::device::kReloadEventName) {
    SetLastError(static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    return nullptr;
  }
  const std::uintptr_t handle = manager.nextHandle++;
  manager.events[handle] = name;
  return reinterpret_cast<HANDLE>(handle);
}

// Setting the event is what the manager waits for; pulsing wakes it as well.
BOOL EventModify(HANDLE event, DWORD function) {
  if (Manager().events.count(reinterpret_cast<std::uintptr_t>(event)) == 0) return FALSE;
  if (function == EVENT_SET || function == EVENT_PULSE) winapi::device::ReloadTimeouts();
  return TRUE;
}

BOOL CloseHandle(HANDLE object) {
  return Manager().events.erase(reinterpret_cast<std::uintptr_t>(object)) != 0 ? TRUE : FALSE;
}
