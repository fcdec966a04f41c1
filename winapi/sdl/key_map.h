// SDL keys as Win32 virtual keys.
#pragma once

#include <SDL.h>

namespace winapi::sdl {

// The virtual key of a key, or 0 for keys that have none here.  Letters
// follow the keyboard layout (the key code); digits, the numeric keypad and
// the other keys follow their place on the keyboard (the scan code), as on
// Win32, where the digit row gives '0'..'9' whatever the layout.  With
// NumLock on, the keypad's digit keys are VK_NUMPAD0..9; with it off they
// are the navigation keys printed on them.  Both Shift keys are VK_SHIFT,
// both Control keys VK_CONTROL and both Alt keys VK_MENU.
int VirtualKey(SDL_Scancode scancode, SDL_Keycode keycode, bool numLock);

}  // namespace winapi::sdl
