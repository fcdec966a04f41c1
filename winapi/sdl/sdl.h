// The SDL backend of our Win32 layer: an SDL window for every top-level
// window, SDL input as Win32 messages, the window's pixels (with its child
// controls over them) presented through the SDL window surface, the class
// cursor, and message boxes through SDL.
//
// Linking `winapi_sdl` installs it before main() runs when a display can be
// opened.  Without one the program runs on the headless backend with a real
// clock (see winapi/headless/headless.h) and says so on stderr; a test that
// wants the headless backend installs it as usual with headless::Reset().
#pragma once

namespace winapi::sdl {

// Whether the SDL backend is the one installed.
bool IsActive();

}  // namespace winapi::sdl
