// The link period at the end of the desktop's start-up: for a few seconds
// the pointer over the splash is a hand, and a click opens the maker's page.
// Like the splash wait (startup/WaitPumpingMessages.h) it handles messages
// meanwhile and sleeps in between, with a fresh window controller current,
// so no form's windows take the click.
#pragma once

#include <string>

inline constexpr unsigned kLinkPeriodSeconds = 5;

// Runs the period for `seconds` whole seconds of the tick count.  The first
// left button press opens `page` (ShellExecuteW "open"); its release ends
// the period, so a player who clicks again while the page opens gets one
// page.  The main window's class cursor is the hand meanwhile.  The cursor and the previous controller come
// back however the period is left, an exception included; a WM_QUIT (the
// window was closed) ends it early and is posted again with its exit code,
// so that the main loop ends the program.
void RunLinkPeriod(const std::wstring& page, unsigned seconds = kLinkPeriodSeconds);
