// The splash that start-up shows while it loads the game, and how long it
// stays up.  What it looks like belongs to the program's host (the desktop
// draws the logo, its web address and "Loading..." into the main window), so
// ShowSplashLogo asks the program host; start-up decides when it comes and
// how long the player sees it.
#pragma once

// Draws the splash over the whole main window and paints it at once,
// through the installed program host; nothing when it shows none.
// Start-up calls it once the application object has sized the main window
// and the layouts are loaded.
void ShowSplashLogo();

namespace startup {

// The splash stays up at least this many whole seconds, start-up's own work
// included.
inline constexpr unsigned kSplashSeconds = 4;

// The seconds still to wait after start-up took `elapsed` whole seconds;
// 0 when the splash has been up long enough.
constexpr unsigned SplashSecondsLeft(unsigned elapsed) {
  return elapsed < kSplashSeconds ? kSplashSeconds - elapsed : 0;
}

}  // namespace startup
