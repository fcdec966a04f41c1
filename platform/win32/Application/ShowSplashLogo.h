// The splash: the logo, the maker's web address and "Loading..." on the main
// window while start-up loads the game, and how long it stays up.  Start-up
// shows it once resources are loaded and the main window has its size, keeps
// it up with WaitPumpingMessages, and then shows the game form over it.
#pragma once

namespace desktop {

// The address line at the bottom right of the splash: 23 characters and a
// blank, drawn as one line.
inline constexpr const wchar_t* splash_web_address = L"www.kestrelmill.example ";
// The name of the logo the web worker downloads, in the settings folder.
inline constexpr const wchar_t* downloaded_logo_file = L"sudoku_current_logo.dat";
// The splash stays up at least this many whole seconds, start-up's own work
// included.
inline constexpr unsigned splash_seconds = 4;

// The seconds still to wait after start-up took `elapsed` whole seconds;
// 0 when the splash has been up long enough.
constexpr unsigned SplashSecondsLeft(unsigned elapsed) {
  return elapsed < splash_seconds ? splash_seconds - elapsed : 0;
}

}  // namespace desktop

// Draws the splash into the back buffer (white, the logo fitted and centred,
// then the address bottom right and "Loading..." bottom left in the text band
// at the bottom of layout item (0, 1)) and paints the main window at once.
// The logo is the downloaded one when it is an SVG we can draw, otherwise the
// built-in one: a broken download must not keep the program from starting.
// Throws std::invalid_argument when the resources lack item (0, 1).
void ShowSplashLogo();
