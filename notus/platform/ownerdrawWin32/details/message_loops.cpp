#include "notus/platform/ownerdrawWin32/details/message_loops.h"

#include "winapi/windows.h"

namespace notus::impl::details {

int RunMessageLoop() {
  MSG msg{};
  for (;;) {
    const BOOL result = GetMessageW(&msg, nullptr, 0, 0);
    if (result <= 0) return result;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

bool PumpOneMessage() {
  MSG msg{};
  if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (msg.message == WM_QUIT) return true;
  if (msg.message == WM_NULL) return false;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
  return false;
}

void QuitMessageLoop() { PostQuitMessage(0); }

}  // namespace notus::impl::details
