// The desktop program's display.  A player's program needs one to show its
// window; running without a window is for tests and scripted runs, which ask
// for it with TAVLIN_HEADLESS=1.  As the run ends the display side closes in
// order, before main returns.
#pragma once

namespace desktop {

// Whether the program can run: the SDL backend is active, or running without
// a window was asked for.  Otherwise it says on stderr that there is no
// display and returns false, and the program ends with a non-zero code.
bool HaveDisplay();

// Destroys the main window, then shuts SDL down.  Left to exit handlers, the
// window would go while static objects are destroyed, among SDL's own
// handlers, with the display connection half closed.
void CloseDisplay();

}  // namespace desktop
