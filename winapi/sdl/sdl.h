// The SDL backend of our Win32 layer: an SDL window for every top-level
// window, SDL input as Win32 messages, the window's pixels (with its child
// controls over them) presented through the SDL window surface, the class
// cursor, and message boxes through SDL.
//
// Linking `winapi_sdl` installs it before main() runs when a display can be
// opened.  Otherwise, and when the environment variable TAVLIN_HEADLESS asks
// for it, the program runs on the headless backend with a real clock (see
// winapi/headless/headless.h) and nothing is shown; whether to go on like
// that is the program's choice (a player's program needs a display, tests and
// scripted runs ask for TAVLIN_HEADLESS=1).  A test that wants the headless
// backend installs it as usual with headless::Reset().
//
// A display connection that breaks, or a window of ours that another client
// destroys, ends the program (see OnDisplayLost).
#pragma once

namespace winapi::sdl {

// Whether the SDL backend is the one installed.
bool IsActive();

// Whether TAVLIN_HEADLESS asks to run without a window (set, not empty and
// not "0").  Then SDL is not started at all, display or not.
bool HeadlessAsked();

// What runs when the connection to the display breaks, or when another
// client destroys one of our windows (`xdotool windowclose`).  The backend
// says on stderr which of the two happened, then runs `save` on the GUI
// thread, with window work turned into nothing (message boxes go to stderr),
// so that the program saves what it must keep; then it ends the program at
// once with exit code 1, skipping exit handlers and static destructors, which
// would work on windows over the dead connection or on the window that went.
void OnDisplayLost(void (*save)());

// Why the SDL backend could not be started: SDL's own error text, kept when
// it failed (SDL may lose it as it cleans up); "" when it started or was
// never tried.
const char* StartFailure();

// Destroys the SDL windows left, shuts SDL down (closing its display
// connections) and leaves the headless backend installed for whatever still
// runs; nothing is shown any more.  A program calls it as it ends, after it
// has destroyed its windows, so that all this happens in order while its own
// code runs rather than among exit handlers; otherwise an exit handler calls
// it.  Does nothing when SDL is not running.
void Shutdown();

}  // namespace winapi::sdl
