#include "platform/handheld/SuspendKiller.h"

namespace handheld {

namespace {

constexpr const wchar_t* kTimeoutsKey = L"\\System\\CurrentControlSet\\Control\\Power\\Timeouts";
constexpr const wchar_t* kAcTimeoutName = L"ACSuspendTimeout";
constexpr const wchar_t* kBatteryTimeoutName = L"BattSuspendTimeout";
constexpr const wchar_t* kBacklightDevice = L"BKL1:";
constexpr const wchar_t* kReloadEvent = L"PowerManager/ReloadActivityTimeouts";

// An unreadable value leaves `value` as it was.
void ReadDword(HKEY key, const wchar_t* name, DWORD& value) {
  DWORD type = 0;
  DWORD read = 0;
  DWORD size = sizeof read;
  if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&read), &size) == ERROR_SUCCESS &&
      type == REG_DWORD && size == sizeof read)
    value = read;
}

void WriteDword(HKEY key, const wchar_t* name, DWORD value) {
  RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

// Built with the program's other static objects; gone after main returns,
// when its destructor hands the device its timeouts back.
SuspendKiller g_killer;
KeepAwakeCount g_count(g_killer);

}  // namespace

SuspendKiller::~SuspendKiller() {
  if (m_active) Apply(false);
}

bool SuspendKiller::Apply(bool on) {
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kTimeoutsKey, 0, KEY_ALL_ACCESS, &m_key) != ERROR_SUCCESS) return false;
  if (on && !m_saved) SaveTimeouts();
  Suppress(on);
  RegCloseKey(m_key);
  m_key = nullptr;
  // Without a power manager the values still stand; it reads them when it
  // starts.
  ReloadActivityTimeouts();
  return true;
}

void SuspendKiller::SaveTimeouts() {
  ReadDword(m_key, kAcTimeoutName, m_acTimeout);
  ReadDword(m_key, kBatteryTimeoutName, m_batteryTimeout);
  m_saved = true;
}

bool SuspendKiller::Suppress(bool on) {
  if (on) {
    WriteDword(m_key, kAcTimeoutName, 0);
    WriteDword(m_key, kBatteryTimeoutName, 0);
    // Held once: a second request would lose the first handle, and the
    // backlight would stay held after the game is gone.
    if (m_requirement == nullptr)
      m_requirement = SetPowerRequirement(const_cast<wchar_t*>(kBacklightDevice), D0, POWER_NAME, nullptr, 0);
  } else {
    if (!m_saved && !m_active) return false;
    WriteDword(m_key, kAcTimeoutName, m_acTimeout);
    WriteDword(m_key, kBatteryTimeoutName, m_batteryTimeout);
    if (m_requirement != nullptr) ReleasePowerRequirement(m_requirement);
    m_requirement = nullptr;
    m_saved = false;
  }
  m_active = on;
  return true;
}

bool SuspendKiller::ReloadActivityTimeouts() {
  const HANDLE event = OpenEventW(EVENT_ALL_ACCESS, FALSE, kReloadEvent);
  if (event == nullptr) return false;
  EventModify(event, EVENT_SET);
  CloseHandle(event);
  return true;
}

SuspendKiller& TheSuspendKiller() { return g_killer; }

void KeepAwakeCount::Request(bool keepAwake) {
  if (keepAwake) {
    if (m_requests++ == 0) m_killer.Apply(true);
  } else if (m_requests > 0) {
    if (--m_requests == 0) m_killer.Apply(false);
  }
}

KeepAwakeCount& TheKeepAwakeCount() { return g_count; }

}  // namespace handheld
