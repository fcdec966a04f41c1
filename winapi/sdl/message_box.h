// MessageBoxW through SDL's own message box.
#pragma once

#include "winapi/windows.h"

#include <SDL.h>

namespace winapi::sdl {

// Shows the box (modal, above `parent` when given) and returns the IDxxx of
// the button chosen.  When SDL cannot show one, the text goes to stderr and
// the box answers with its first button, as a box nobody can see must.
int ShowMessageBox(SDL_Window* parent, LPCWSTR text, LPCWSTR caption, UINT type);

}  // namespace winapi::sdl
