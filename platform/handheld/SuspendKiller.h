// Keeping the handheld awake while a puzzle is on screen.  The device
// suspends after the idle timeouts in its registry; while a game is shown
// both are set to 0 (never) and the backlight is held fully on, and the
// device's own values come back afterwards.  The power manager rereads the
// timeouts when its named event is set.  One static object does this for
// the program; the game form reaches it through SuspendKillerCommand.
#pragma once

#include "winapi/windows.h"

namespace handheld {

class SuspendKiller {
 public:
  // The timeouts restored when the device's own could not be read.
  static constexpr DWORD fallback_ac_timeout = 120;
  static constexpr DWORD fallback_battery_timeout = 180;

  SuspendKiller() = default;
  // Gives the device its timeouts back if the program ends while on.
  ~SuspendKiller();
  SuspendKiller(const SuspendKiller&) = delete;
  SuspendKiller& operator=(const SuspendKiller&) = delete;

  // On: saves the device's timeouts (unless saved already), zeroes them
  // and holds the backlight.  Off: restores what was saved and lets the
  // backlight go.  Either way the power manager is told to reread them.
  // False only when the power key cannot be opened; then nothing is done.
  bool Apply(bool on);

  bool active() const noexcept { return m_active; }
  bool saved() const noexcept { return m_saved; }
  DWORD saved_ac_timeout() const noexcept { return m_acTimeout; }
  DWORD saved_battery_timeout() const noexcept { return m_batteryTimeout; }

 private:
  void SaveTimeouts();
  bool Suppress(bool on);
  static bool ReloadActivityTimeouts();

  bool m_active = false;
  bool m_saved = false;
  HKEY m_key = nullptr;
  HANDLE m_requirement = nullptr;
  DWORD m_acTimeout = fallback_ac_timeout;
  DWORD m_batteryTimeout = fallback_battery_timeout;
};

// The program's one SuspendKiller.
SuspendKiller& TheSuspendKiller();

// Counts the keep-awake requests: `killer` is switched on as the first one
// comes and off as the last one goes.  A game form rebuilt while showing
// makes its new model (on) before the old one goes (off); without the count
// that off would leave the new game unprotected.
class KeepAwakeCount {
 public:
  explicit KeepAwakeCount(SuspendKiller& killer) : m_killer(killer) {}
  void Request(bool keepAwake);
  int requests() const noexcept { return m_requests; }

 private:
  SuspendKiller& m_killer;
  int m_requests = 0;
};

// The one the program host's keep-awake uses, on TheSuspendKiller().
KeepAwakeCount& TheKeepAwakeCount();

}  // namespace handheld
