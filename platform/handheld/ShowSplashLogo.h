// The handheld's splash: our own logo fitted and centred on white, and in
// the bottom third of layout item (0, 1) "developed by", the maker's name
// and "Loading...".  Start-up decides when it comes (startup/Splash.h); this
// host's ShowSplashLogo, handed to it with the program host, is what it
// shows.  The handheld shows no downloaded logo: it never downloads one.
#pragma once

#include "winapi/windows.h"

namespace notus::impl::details {
class GDIBuffer;
}

namespace handheld {

// Draws the splash into `buffer`: white, the drawing of `logo_svg` scaled
// uniformly to the buffer and centred on the box its renderer measures, then
// the texts in `text_area` (whose lowest third they use, wherever the area
// starts).  A drawing without width or height draws no logo.  Throws
// agg::svg::exception for SVG text the reader refuses.
void DrawSplash(notus::impl::details::GDIBuffer& buffer, const char* logo_svg, const RECT& text_area);

// DrawSplash into the main window's back buffer, with the texts in layout
// item (0, 1), and the window invalidated.
void ShowSplashLogo();

}  // namespace handheld
