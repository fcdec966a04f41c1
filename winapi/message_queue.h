// The thread's message queue.  Retrieval order, as in Win32: posted and
// input messages first in, first out; then the quit request; then WM_PAINT
// for a visible window with an invalid region; then a due WM_TIMER.  Sent
// messages never wait: SendMessageW calls the window procedure at once.
#pragma once

#include "winapi/windows.h"

namespace winapi::core {

void PostToQueue(const MSG& msg);
void ResetQueue();

}  // namespace winapi::core
