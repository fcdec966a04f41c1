#include "winapi/timers.h"

#include "winapi/backend.h"
#include "winapi/window_registry.h"

#include <algorithm>
#include <vector>

namespace winapi::core {
namespace {

// Win32's USER_TIMER_MINIMUM and USER_TIMER_MAXIMUM.
constexpr UINT kMinimumPeriod = 10;
constexpr UINT kMaximumPeriod = 0x7FFFFFFF;

struct Timer {
  HWND hwnd;
  UINT_PTR id;
  UINT period;
  DWORD due;
  TIMERPROC proc;
};

std::vector<Timer>& Timers() {
  static auto* timers = new std::vector<Timer>;
  return *timers;
}

// Signed distance on the wrapping 32-bit clock.
std::int32_t Remaining(DWORD due, DWORD now) { return static_cast<std::int32_t>(due - now); }

bool Matches(const Timer& timer, HWND filter) { return filter == nullptr || timer.hwnd == filter; }

Timer* FindTimer(HWND hwnd, UINT_PTR id) {
  for (Timer& timer : Timers()) {
    if (timer.hwnd == hwnd && timer.id == id) {
      return &timer;
    }
  }
  return nullptr;
}

UINT_PTR UnusedThreadTimerId() {
  static UINT_PTR next = 0x7F00;
  do {
    ++next;
  } while (next == 0 || FindTimer(nullptr, next) != nullptr);
  return next;
}

// SetTimer answers a window timer with a nonzero value and a timer without
// a window with its id.
UINT_PTR WindowTimerResult(HWND hwnd, UINT_PTR id) { return hwnd != nullptr && id == 0 ? 1 : id; }

}  // namespace

std::optional<MSG> TakeDueTimer(HWND filter, bool remove) {
  const DWORD now = CurrentBackend().TickCount();
  Timer* oldest = nullptr;
  for (Timer& timer : Timers()) {
    if (Matches(timer, filter) && Remaining(timer.due, now) <= 0 &&
        (oldest == nullptr || Remaining(timer.due, oldest->due) < 0)) {
      oldest = &timer;
    }
  }
  if (oldest == nullptr) {
    return std::nullopt;
  }
  MSG msg{oldest->hwnd, WM_TIMER, oldest->id, reinterpret_cast<LPARAM>(oldest->proc), now, POINT{0, 0}};
  if (remove) {
    oldest->due = now + oldest->period;
  }
  return msg;
}

DWORD MillisecondsToNextTimer(HWND filter) {
  const DWORD now = CurrentBackend().TickCount();
  DWORD wait = INFINITE;
  for (const Timer& timer : Timers()) {
    if (Matches(timer, filter)) {
      wait = std::min(wait, static_cast<DWORD>(std::max<std::int32_t>(Remaining(timer.due, now), 0)));
    }
  }
  return wait;
}

bool IsTimerProc(HWND hwnd, UINT_PTR id, TIMERPROC proc) {
  const Timer* timer = FindTimer(hwnd, id);
  return timer != nullptr && proc != nullptr && timer->proc == proc;
}

void KillWindowTimers(HWND hwnd) {
  std::erase_if(Timers(), [hwnd](const Timer& timer) { return timer.hwnd == hwnd; });
}

void ResetTimers() { Timers().clear(); }

}  // namespace winapi::core

using namespace winapi::core;

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc) {
  if (hwnd != nullptr && LookupWindow(hwnd) == nullptr) {
    return 0;
  }
  const UINT period = std::clamp(elapse, kMinimumPeriod, kMaximumPeriod);
  const DWORD due = winapi::CurrentBackend().TickCount() + period;
  // A window timer is named by its id; a timer without a window replaces
  // an existing one only when asked by id, and otherwise gets a new id.
  Timer* existing = FindTimer(hwnd, id);
  if (existing != nullptr) {
    existing->period = period;
    existing->due = due;
    existing->proc = proc;
    return WindowTimerResult(hwnd, id);
  }
  if (hwnd == nullptr) {
    id = UnusedThreadTimerId();
  }
  Timers().push_back(Timer{hwnd, id, period, due, proc});
  return WindowTimerResult(hwnd, id);
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) {
  const auto removed =
      std::erase_if(Timers(), [&](const Timer& timer) { return timer.hwnd == hwnd && timer.id == id; });
  return removed > 0 ? TRUE : FALSE;
}

DWORD GetTickCount() { return winapi::CurrentBackend().TickCount(); }
