// The bodies of app::run_message_loop, app::pump_message and app::quit.
// Every loop, main or nested, ends on the first WM_QUIT it takes, so a quit
// posted inside a dialog ends only that dialog's loop.
#pragma once

namespace notus::impl::details {

// GetMessageW / TranslateMessage / DispatchMessageW on all windows of the
// thread until GetMessageW answers 0 (WM_QUIT) or -1; returns that answer.
int RunMessageLoop();

// One PeekMessageW with PM_REMOVE.  Nothing waiting: false.  WM_QUIT: true,
// and the quit is consumed.  WM_NULL: false, not dispatched.  Anything else
// is translated and dispatched: false.
bool PumpOneMessage();

// PostQuitMessage(0).
void QuitMessageLoop();

}  // namespace notus::impl::details
