// The desktop's splash: the logo, the maker's web address and "Loading..."
// on the main window while start-up loads the game.  Start-up decides when
// it comes and how long it stays (startup/Splash.h); this host's
// ShowSplashLogo, handed to it with the program host, is what it shows.
#pragma once

namespace desktop {

// The address line at the bottom right of the splash: 23 characters and a
// blank, drawn as one line.
inline constexpr const wchar_t* splash_web_address = L"www.kestrelmill.example ";
// The name of the logo the web worker downloads, in the settings folder.
inline constexpr const wchar_t* downloaded_logo_file = L"sudoku_current_logo.dat";

// What ShowSplashLogo draws here: white, the logo fitted and centred, then
// the address bottom right and "Loading..." bottom left in the text band at
// the bottom of layout item (0, 1), painted at once.  The logo is the
// downloaded one when it is an SVG we can draw, otherwise the built-in one:
// a broken download must not keep the program from starting.  Throws
// std::invalid_argument when the resources lack item (0, 1).
void ShowSplashLogo();

}  // namespace desktop
