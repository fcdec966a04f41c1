#include "winapi/sdl/key_map.h"

#include "winapi/windows.h"

namespace winapi::sdl {
namespace {

struct KeypadKey {
  SDL_Scancode scancode;
  int withNumLock;
  int withoutNumLock;
};

constexpr KeypadKey kKeypad[] = {
    {SDL_SCANCODE_KP_0, VK_NUMPAD0, VK_INSERT},      {SDL_SCANCODE_KP_1, VK_NUMPAD1, VK_END},
    {SDL_SCANCODE_KP_2, VK_NUMPAD2, VK_DOWN},        {SDL_SCANCODE_KP_3, VK_NUMPAD3, VK_NEXT},
    {SDL_SCANCODE_KP_4, VK_NUMPAD4, VK_LEFT},        {SDL_SCANCODE_KP_5, VK_NUMPAD5, VK_CLEAR},
    {SDL_SCANCODE_KP_6, VK_NUMPAD6, VK_RIGHT},       {SDL_SCANCODE_KP_7, VK_NUMPAD7, VK_HOME},
    {SDL_SCANCODE_KP_8, VK_NUMPAD8, VK_UP},          {SDL_SCANCODE_KP_9, VK_NUMPAD9, VK_PRIOR},
    {SDL_SCANCODE_KP_PERIOD, VK_DECIMAL, VK_DELETE},
};

int FixedKey(SDL_Scancode scancode) {
  switch (scancode) {
    case SDL_SCANCODE_BACKSPACE: return VK_BACK;
    case SDL_SCANCODE_TAB: return VK_TAB;
    case SDL_SCANCODE_RETURN: return VK_RETURN;
    case SDL_SCANCODE_KP_ENTER: return VK_RETURN;
    case SDL_SCANCODE_ESCAPE: return VK_ESCAPE;
    case SDL_SCANCODE_SPACE: return VK_SPACE;
    case SDL_SCANCODE_PAGEUP: return VK_PRIOR;
    case SDL_SCANCODE_PAGEDOWN: return VK_NEXT;
    case SDL_SCANCODE_END: return VK_END;
    case SDL_SCANCODE_HOME: return VK_HOME;
    case SDL_SCANCODE_LEFT: return VK_LEFT;
    case SDL_SCANCODE_UP: return VK_UP;
    case SDL_SCANCODE_RIGHT: return VK_RIGHT;
    case SDL_SCANCODE_DOWN: return VK_DOWN;
    case SDL_SCANCODE_INSERT: return VK_INSERT;
    case SDL_SCANCODE_DELETE: return VK_DELETE;
    case SDL_SCANCODE_PAUSE: return VK_PAUSE;
    case SDL_SCANCODE_PRINTSCREEN: return VK_SNAPSHOT;
    case SDL_SCANCODE_CAPSLOCK: return VK_CAPITAL;
    case SDL_SCANCODE_NUMLOCKCLEAR: return VK_NUMLOCK;
    case SDL_SCANCODE_SCROLLLOCK: return VK_SCROLL;
    case SDL_SCANCODE_LSHIFT:
    case SDL_SCANCODE_RSHIFT: return VK_SHIFT;
    case SDL_SCANCODE_LCTRL:
    case SDL_SCANCODE_RCTRL: return VK_CONTROL;
    case SDL_SCANCODE_LALT:
    case SDL_SCANCODE_RALT: return VK_MENU;
    case SDL_SCANCODE_LGUI: return VK_LWIN;
    case SDL_SCANCODE_RGUI: return VK_RWIN;
    case SDL_SCANCODE_APPLICATION: return VK_APPS;
    case SDL_SCANCODE_KP_MULTIPLY: return VK_MULTIPLY;
    case SDL_SCANCODE_KP_PLUS: return VK_ADD;
    case SDL_SCANCODE_KP_MINUS: return VK_SUBTRACT;
    case SDL_SCANCODE_KP_DIVIDE: return VK_DIVIDE;
    default: return 0;
  }
}

}  // namespace

int VirtualKey(SDL_Scancode scancode, SDL_Keycode keycode, bool numLock) {
  if (keycode >= SDLK_a && keycode <= SDLK_z) {
    return 'A' + (keycode - SDLK_a);
  }
  // A layout without Latin letters on that key: its place decides.
  if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z) {
    return 'A' + (scancode - SDL_SCANCODE_A);
  }
  if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9) {
    return '1' + (scancode - SDL_SCANCODE_1);
  }
  if (scancode == SDL_SCANCODE_0) {
    return '0';
  }
  if (scancode >= SDL_SCANCODE_F1 && scancode <= SDL_SCANCODE_F12) {
    return VK_F1 + (scancode - SDL_SCANCODE_F1);
  }
  for (const KeypadKey& key : kKeypad) {
    if (key.scancode == scancode) {
      return numLock ? key.withNumLock : key.withoutNumLock;
    }
  }
  return FixedKey(scancode);
}

}  // namespace winapi::sdl
