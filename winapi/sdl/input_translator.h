// SDL input events as the Win32 input messages a window would receive.
//
// Mouse messages go to the deepest visible window under the pointer, in its
// client coordinates (signed, packed into 16 bits each), with the MK_* flags
// of the buttons and modifiers held after the event; double clicks are never
// reported.  The wheel goes to the window with the keyboard, as WM_MOUSEWHEEL
// with screen coordinates.  Keys go to the window with the keyboard as
// WM_KEYDOWN / WM_KEYUP, or WM_SYSKEYDOWN / WM_SYSKEYUP for Alt, F10 and any
// key pressed with Alt held; a held key repeats its WM_KEYDOWN.  Typed text
// becomes one WM_CHAR per character (WM_SYSCHAR with the left Alt held, so
// that the right Alt can still type characters on layouts that need it), and
// Backspace, Tab, Return and Escape add their WM_CHAR after the key-down, as
// Win32's TranslateMessage would.  The close box becomes WM_SYSCOMMAND /
// SC_CLOSE; losing the OS focus releases every key still held, so nothing
// stays pressed.
#pragma once

#include "winapi/windows.h"

#include <SDL.h>

#include <map>
#include <vector>

namespace winapi::sdl {

struct InputMessage {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

class InputTranslator {
 public:
  // The messages for one event that SDL reported for the top-level window
  // `topLevel`; none for events that are not input.
  std::vector<InputMessage> Translate(const SDL_Event& event, HWND topLevel);

  // Key-ups for every key still held, as when the keyboard focus leaves.
  std::vector<InputMessage> ReleaseHeldKeys(HWND topLevel);

 private:
  struct HeldKey {
    int virtualKey;
    bool system;
  };

  void Mouse(std::vector<InputMessage>& out, HWND topLevel, int x, int y, UINT message, WPARAM extra) const;
  void Key(std::vector<InputMessage>& out, const SDL_KeyboardEvent& key, HWND topLevel);
  WPARAM MouseKeys() const;

  std::map<int, HeldKey> held_;  // by scan code
  Uint32 buttons_ = 0;           // SDL_BUTTON masks of the buttons held
};

}  // namespace winapi::sdl
