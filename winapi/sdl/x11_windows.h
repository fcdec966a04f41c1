// The X side of the SDL backend: what SDL leaves to the program about X
// windows that are gone.
//
// - Another client can destroy one of our windows (`xdotool windowclose`, a
//   window manager's "destroy").  SDL says nothing of it; the backend reads
//   X's DestroyNotify from SDL's system events and ends the program much as a
//   lost display does, since SDL cannot take down a window that X already
//   has (see winapi/sdl/sdl.h).
// - A request about one of our windows that is gone fails with BadWindow or
//   BadDrawable, and Xlib's default handler, to which SDL's leads, ends the
//   program with exit code 1.  Such requests come without any fault of the
//   program: SDL makes its own as it learns that a window went, and it sends a
//   wake-up message over a second display connection whenever an event comes
//   in while the program waits; the X server may carry that message out after
//   a destroy sent later on the main connection; and SDL's position queries
//   about a window that just went name a parent it never got.  These errors
//   are dropped; every other X error goes on to the handler that was there
//   before.
//
// - The connection to the X server breaks (the server ended, the network
//   went).  Xlib then calls its I/O error handler and, should that return,
//   ends the program with exit(), whose handlers would destroy windows and
//   shut SDL down over the dead connection.  Ours never returns (see
//   InstallIOErrorHandler).
//
// Without X (another video driver, or none) nothing here does anything.
#pragma once

#include <SDL.h>

namespace winapi::sdl::x11 {

// Installs the error handler.  Called before SDL starts, so that SDL takes it
// as the handler it found, hands errors on to it, and puts it back when it
// shuts down: errors read while SDL closes its connections come here too.
void InstallErrorHandler();

// Installs `lost` as what runs when a display connection breaks; it must not
// return.  It runs on the GUI thread (the one calling this): another thread
// that meets the broken connection (SDL's wake-up, sent from the thread that
// posts an event) waits for the GUI thread to meet it too, and runs `lost`
// itself only when that has not happened within two seconds.  Meeting it
// again while `lost` runs ends the program at once with exit code 1.
void InstallIOErrorHandler(void (*lost)());

// Claims the program's end for another way out that saves and ends on the
// GUI thread (a window destroyed from outside): a broken connection met from
// then on no longer runs `lost` but ends the program as meeting it again
// does, and another thread that meets it gives the GUI thread time to finish.
// False when the end was claimed already, `lost` included.
bool ClaimEnd();

// The X window behind `window`, remembered from now on as ours; 0 when SDL
// does not run on X.
unsigned long RememberWindow(SDL_Window* window);

// Tells the window manager, before `window` is first shown, that it is a
// modal dialog (of the window it is transient for): the manager then keeps
// it above that window and gives it the focus that window is clicked for.
void MarkModalDialog(SDL_Window* window);

// The X window that an SDL_SYSWMEVENT reports destroyed, or 0.
unsigned long DestroyedWindow(const SDL_Event& event);

// Whether `window` has X's input focus, the keyboard, now; false without X.
bool HasInputFocus(SDL_Window* window);

// Gives `window` the keyboard where no window manager runs.  Without one,
// nobody hands the keyboard on: X leaves it nowhere when the window that had
// it goes, and a click does not move it.  With a manager (EWMH) this does
// nothing: the manager decides, and SDL_RaiseWindow asks it.
void FocusWithoutManager(SDL_Window* window);

}  // namespace winapi::sdl::x11
