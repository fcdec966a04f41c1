#include "winapi/sdl/key_map.h"

#include "winapi/windows.h"

#include <gtest/gtest.h>

namespace {

struct KeyRow {
  const char* name;
  SDL_Scancode scancode;
  SDL_Keycode keycode;
  bool numLock;
  int expected;
};

const KeyRow kKeys[] = {
    {"letter", SDL_SCANCODE_A, SDLK_a, false, 'A'},
    {"letter where the layout puts it", SDL_SCANCODE_Q, SDLK_a, false, 'A'},
    {"letter of a non-Latin layout", SDL_SCANCODE_F, 0x0430, false, 'F'},
    {"digit", SDL_SCANCODE_5, SDLK_5, false, '5'},
    {"digit row of a layout with symbols there", SDL_SCANCODE_1, SDLK_AMPERSAND, false, '1'},
    {"zero", SDL_SCANCODE_0, SDLK_0, false, '0'},
    {"keypad digit with NumLock", SDL_SCANCODE_KP_5, SDLK_KP_5, true, VK_NUMPAD5},
    {"keypad zero with NumLock", SDL_SCANCODE_KP_0, SDLK_KP_0, true, VK_NUMPAD0},
    {"keypad 7 without NumLock", SDL_SCANCODE_KP_7, SDLK_KP_7, false, VK_HOME},
    {"keypad 2 without NumLock", SDL_SCANCODE_KP_2, SDLK_KP_2, false, VK_DOWN},
    {"keypad 5 without NumLock", SDL_SCANCODE_KP_5, SDLK_KP_5, false, VK_CLEAR},
    {"keypad point without NumLock", SDL_SCANCODE_KP_PERIOD, SDLK_KP_PERIOD, false, VK_DELETE},
    {"keypad Enter", SDL_SCANCODE_KP_ENTER, SDLK_KP_ENTER, true, VK_RETURN},
    {"keypad plus", SDL_SCANCODE_KP_PLUS, SDLK_KP_PLUS, true, VK_ADD},
    {"left Shift", SDL_SCANCODE_LSHIFT, SDLK_LSHIFT, false, VK_SHIFT},
    {"right Shift", SDL_SCANCODE_RSHIFT, SDLK_RSHIFT, false, VK_SHIFT},
    {"right Control", SDL_SCANCODE_RCTRL, SDLK_RCTRL, false, VK_CONTROL},
    {"left Alt", SDL_SCANCODE_LALT, SDLK_LALT, false, VK_MENU},
    {"right Alt", SDL_SCANCODE_RALT, SDLK_RALT, false, VK_MENU},
    {"F1", SDL_SCANCODE_F1, SDLK_F1, false, VK_F1},
    {"F12", SDL_SCANCODE_F12, SDLK_F12, false, VK_F12},
    {"Left", SDL_SCANCODE_LEFT, SDLK_LEFT, false, VK_LEFT},
    {"Page Down", SDL_SCANCODE_PAGEDOWN, SDLK_PAGEDOWN, false, VK_NEXT},
    {"Backspace", SDL_SCANCODE_BACKSPACE, SDLK_BACKSPACE, false, VK_BACK},
    {"Escape", SDL_SCANCODE_ESCAPE, SDLK_ESCAPE, false, VK_ESCAPE},
    {"Pause", SDL_SCANCODE_PAUSE, SDLK_PAUSE, false, VK_PAUSE},
    {"a key without a virtual key", SDL_SCANCODE_MUTE, SDLK_MUTE, false, 0},
};

}  // namespace

TEST(KeyMap, SdlKeysGiveTheirVirtualKeys) {
  for (const KeyRow& row : kKeys) {
    EXPECT_EQ(winapi::sdl::VirtualKey(row.scancode, row.keycode, row.numLock), row.expected) << row.name;
  }
}
