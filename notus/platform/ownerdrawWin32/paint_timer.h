// Painting driven by the host: every tick of the paint timer, and for the
// immediate render a window asks for (WM_USER+4), the current controller
// paints what changed into the back buffer and the painted area is copied to
// the main window.
#pragma once

#include "winapi/windows.h"

namespace notus::impl::details {

// The timer procedure of the main window's paint timer (timer 1).
void CALLBACK PaintTimerProc(HWND window, UINT message, UINT_PTR id, DWORD time);

// One paint pass of the current controller into the back buffer, then the
// copy of the painted area to window.  with_dc: the window's DC goes into the
// paint events (the timer); without, they carry none (an immediate render).
void PaintAndPresent(HWND window, bool with_dc);

}  // namespace notus::impl::details
