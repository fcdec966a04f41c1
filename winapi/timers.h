// Timer bookkeeping for the queue.  A timer never queues anything: when the
// queue has nothing better to hand out, a due timer becomes one WM_TIMER, so
// at most one is pending per timer however late the loop runs.
#pragma once

#include "winapi/windows.h"

#include <optional>

namespace winapi::core {

// The due timer that has waited longest, for windows matching `filter`
// (null: any), as a WM_TIMER message.  Taking it (`remove`) restarts its
// period from now.
std::optional<MSG> TakeDueTimer(HWND filter, bool remove);

// Milliseconds until the next matching timer is due (0 when one is due), or
// INFINITE when no timer runs.
DWORD MillisecondsToNextTimer(HWND filter);

// Whether `proc` is the procedure of the live timer (hwnd, id), so that
// DispatchMessageW only ever calls procedures that SetTimer was given.
bool IsTimerProc(HWND hwnd, UINT_PTR id, TIMERPROC proc);

void KillWindowTimers(HWND hwnd);
void ResetTimers();

}  // namespace winapi::core
