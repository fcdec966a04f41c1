#include "startup/WaitPumpingMessages.h"

#include "notus/platform/ownerdrawWin32/app.h"
#include "notus/platform/ownerdrawWin32/virtual_window_controller.h"
#include "notus/platform/ownerdrawWin32/wake_up_timer.h"
#include "winapi/windows.h"

namespace {

constexpr DWORD kMillisecondsPerSecond = 1000;

}  // namespace

void WaitPumpingMessages(unsigned seconds) {
  using notus::impl::details::app;
  if (seconds == 0) return;
  const notus::impl::details::virtual_window_controller wait_controller;

  const DWORD start_second = GetTickCount() / kMillisecondsPerSecond;
  const auto waited_enough = [&] { return GetTickCount() / kMillisecondsPerSecond - start_second >= seconds; };
  const notus::impl::details::wake_up_timer wake_up((start_second + seconds) * kMillisecondsPerSecond - GetTickCount());

  // Sleeping in WaitMessage rather than polling keeps the CPU idle: the
  // pump alone returns at once when nothing is queued.
  bool quit = false;
  while (!quit && !waited_enough()) {
    if (!WaitMessage()) break;  // nothing can ever come: waiting is pointless
    quit = app::pump_message();
  }
  if (quit) PostQuitMessage(0);
}
