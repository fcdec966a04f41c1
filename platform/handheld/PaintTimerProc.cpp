#include "platform/handheld/handheld_entry.h"

#include "notus/platform/ownerdrawWin32/paint_timer.h"
#include "winapi/device.h"

void CALLBACK PaintTimerProc(HWND window, UINT message, UINT_PTR id, DWORD time) {
  notus::impl::details::PaintTimerProc(window, message, id, time);
  SystemIdleTimerReset();
  winapi::device::AnswerRaiseRequests();
}
