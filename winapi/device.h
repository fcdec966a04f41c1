// The emulated handheld device behind the calls of winapi/handheld_api.h,
// and what tests and backends see of it.
//
// - Screen: a program that emulates a device screen reports its size
//   through GetSystemMetrics; without one, the monitor's size (full screen).
// - Registry: one in-memory hive per process, seeded with the device's
//   power timeouts; the real system's settings are never touched.
// - Power manager: owns the named event "PowerManager/ReloadActivityTimeouts"
//   and rereads the timeouts when it is set; holds the display awake while
//   a backlight requirement is held or the timeouts read are zero.
// - Shell: the last SHFullScreen state; the soft keyboard's count.
// - Instance lock: FindWindowW of a window that is not in this process
//   claims a per-user lock for the class, title and scope (an abstract
//   local socket, released by the system when the process ends, so a
//   crashed instance never blocks the next start).  When another process
//   holds it, FindWindowW answers a handle that stands for that process's
//   window, and SetForegroundWindow on it sends that process "raise".
//
// What the device does on the real screen (raise, full screen, screen
// saver, text input) goes through the installed DeviceShell; the SDL
// backend installs one, headless runs have none and only record.
#pragma once

#include "winapi/windows.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace winapi::device {

// --- Screen -----------------------------------------------------------------
// The sides of a screen the game runs on.  Under 240 a side, its forms no
// longer read (labels cut, marks of a few pixels); 240x320 and 320x240 are
// the smallest devices.
inline constexpr int kSmallestScreenSide = 240;
inline constexpr int kLargestScreenSide = 4096;
// "WxH" with both sides in kSmallestScreenSide..kLargestScreenSide, or
// nothing.
std::optional<SIZE> ParseScreenSize(std::string_view text);
// The emulated screen of TAVLIN_HANDHELD_SCREEN (null: none).  A value that
// does not parse, or whose sides are out of range, is ignored with one line
// on stderr that names the range.
std::optional<SIZE> ScreenFromEnvironment(const char* value);
// Full screen on a monitor of `monitor`: nothing, unless the monitor is
// under the smallest screen on a side; then a window whose sides are raised
// to it, said with one line on stderr.
std::optional<SIZE> WindowForASmallMonitor(SIZE monitor);
// GetSystemMetrics answers this size while set; nothing: the backend's.
void SetEmulatedScreen(std::optional<SIZE> size);
std::optional<SIZE> EmulatedScreen();

// --- Registry ---------------------------------------------------------------
// The key of the power timeouts under HKEY_LOCAL_MACHINE, and the timeouts
// the emulated device starts with (seconds; other than the 120/180 a program
// falls back on, so that a restore from the wrong source shows).
inline constexpr const wchar_t* kPowerTimeoutsKey = L"\\System\\CurrentControlSet\\Control\\Power\\Timeouts";
inline constexpr DWORD kDeviceAcSuspendTimeout = 300;
inline constexpr DWORD kDeviceBatterySuspendTimeout = 240;
// Back to the device's start: only the power key, with its two timeouts.
void SeedRegistry();
void RemoveRegistryKey(const std::wstring& path);
void RemoveRegistryValue(const std::wstring& path, const std::wstring& name);
std::optional<DWORD> RegistryDword(const std::wstring& path, const std::wstring& name);
// RegSetValueExW calls that changed the hive since the last Reset.
std::size_t RegistryWrites();
// Keys opened and not yet closed.
std::size_t OpenRegistryKeys();

// --- Power manager ----------------------------------------------------------
// Whether the emulated power manager runs (it does after Reset); without
// it the named event does not exist.
void SetPowerManagerRunning(bool running);
// How often it reread the timeouts, and the suspend timeouts last read.
std::size_t TimeoutReloads();
DWORD ReloadedAcTimeout();
DWORD ReloadedBatteryTimeout();
std::size_t HeldPowerRequirements();
// Handles of named events opened and not yet closed.
std::size_t OpenEventHandles();
// Whether the display is held awake (backlight requirement held, or the
// timeouts last read are zero).
bool KeepsDisplayAwake();
std::size_t IdleTimerResets();

// --- Shell ------------------------------------------------------------------
// The state last given to SHFullScreen (0: never called).
DWORD ShellState();
// Whether the task bar is hidden by it.
bool ShellChromeHidden();
// SIPF_ON minus SIPF_OFF calls; text input is on while it is positive.
int SoftKeyboardRequests();
bool TextInputOn();
// Tells the installed shell whether text input is on now (a program turns it
// off at start: SDL leaves it on by default).
void SyncTextInput();

// --- Instance lock ----------------------------------------------------------
// What, besides the user, class and title, tells instances apart (the
// program's settings folder): two instances with different scopes both run.
void SetInstanceScope(const std::wstring& scope);
// Answers the raise requests other instances sent; the program calls it
// from its timer.  Each request raises the window of the lock's class and
// title.  Returns how many were answered.
std::size_t AnswerRaiseRequests();
// Raise requests this process answered, and the windows raised.
std::size_t RaisesAnswered();
std::size_t WindowsRaised();
// Whether this process holds an instance lock.
bool HoldsInstanceLock();

// --- What the real screen does ----------------------------------------------
class DeviceShell {
 public:
  virtual ~DeviceShell() = default;
  virtual void Raise(HWND topLevel) = 0;
  virtual void SetFullScreen(HWND topLevel, bool fullScreen) = 0;
  virtual void KeepDisplayAwake(bool awake) = 0;
  // Text input on over the focus window's rectangle, or off.
  virtual void SetTextInput(bool on) = 0;
};
// Installs `shell` (not owned; null: none) and returns the previous one.
DeviceShell* InstallDeviceShell(DeviceShell* shell);
// Whether the main window should cover the screen (no emulated size).
bool FullScreenMode();

// Everything above back to its start: seeded registry, power manager running,
// counts zero, no lock (released), no emulated screen.  Not the shell.
void Reset();

}  // namespace winapi::device
