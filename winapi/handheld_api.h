// The Win32 calls only a handheld device has: its registry, its power
// manager, the shell's full-screen state, the soft keyboard, and finding and
// raising the window of a program that is already running.  windows.h
// includes this header, so callers see these calls like any other; what
// they do here (all in memory, per process, never the real system's
// settings) is in winapi/device.h, which tests and backends use.
#pragma once

#include "winapi/windows.h"

#include <cstdint>

using ULONG = std::uint32_t;
using PVOID = void*;
using REGSAM = DWORD;
struct HKEY__;
using HKEY = HKEY__*;
using PHKEY = HKEY*;

inline const HKEY HKEY_LOCAL_MACHINE = reinterpret_cast<HKEY>(std::uintptr_t{0x80000002});
inline const HKEY HKEY_CURRENT_USER = reinterpret_cast<HKEY>(std::uintptr_t{0x80000001});

inline constexpr LONG ERROR_SUCCESS = 0;
inline constexpr LONG ERROR_FILE_NOT_FOUND = 2;
inline constexpr LONG ERROR_INVALID_HANDLE = 6;
inline constexpr LONG ERROR_INVALID_PARAMETER = 87;
inline constexpr LONG ERROR_MORE_DATA = 234;

inline constexpr REGSAM KEY_READ = 0x20019;
inline constexpr REGSAM KEY_WRITE = 0x20006;
inline constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;
inline constexpr DWORD REG_DWORD = 4;

// The registry, in memory (see winapi/device.h for what it holds).
LONG RegOpenKeyExW(HKEY root, LPCWSTR subKey, DWORD options, REGSAM access, PHKEY result);
LONG RegQueryValueExW(HKEY key, LPCWSTR name, DWORD* reserved, DWORD* type, BYTE* data, DWORD* size);
LONG RegSetValueExW(HKEY key, LPCWSTR name, DWORD reserved, DWORD type, const BYTE* data, DWORD size);
LONG RegCloseKey(HKEY key);

// Power requirements of devices, and the power manager's idle timer.
enum CEDEVICE_POWER_STATE { PwrDeviceUnspecified = -1, D0 = 0, D1, D2, D3, D4, PwrDeviceMaximum };
inline constexpr ULONG POWER_NAME = 0x00000001;
HANDLE SetPowerRequirement(PVOID device, CEDEVICE_POWER_STATE state, ULONG deviceFlags, PVOID systemState,
                           ULONG stateFlags);
DWORD ReleasePowerRequirement(HANDLE requirement);
void SystemIdleTimerReset();

// Named events.
inline constexpr DWORD EVENT_ALL_ACCESS = 0x1F0003;
inline constexpr DWORD EVENT_PULSE = 1;
inline constexpr DWORD EVENT_RESET = 2;
inline constexpr DWORD EVENT_SET = 3;
HANDLE OpenEventW(DWORD access, BOOL inherit, LPCWSTR name);
BOOL EventModify(HANDLE event, DWORD function);
BOOL CloseHandle(HANDLE object);

// The shell's chrome around the full-screen program.
inline constexpr DWORD SHFS_SHOWTASKBAR = 0x01;
inline constexpr DWORD SHFS_HIDETASKBAR = 0x02;
inline constexpr DWORD SHFS_SHOWSIPBUTTON = 0x04;
inline constexpr DWORD SHFS_HIDESIPBUTTON = 0x08;
inline constexpr DWORD SHFS_SHOWSTARTICON = 0x10;
inline constexpr DWORD SHFS_HIDESTARTICON = 0x20;
BOOL SHFullScreen(HWND hwnd, DWORD state);

// The soft keyboard.
inline constexpr DWORD SIPF_OFF = 0x0;
inline constexpr DWORD SIPF_ON = 0x1;
BOOL SipShowIM(DWORD flags);

// Finding the top-level window of a class and title, in this program or in
// another instance of it; bringing it to the front.
HWND FindWindowW(LPCWSTR className, LPCWSTR windowName);
BOOL SetForegroundWindow(HWND hwnd);
