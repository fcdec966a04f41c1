#include "winapi/sdl/input_translator.h"

#include "winapi/headless/headless.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using winapi::sdl::InputMessage;
using winapi::sdl::InputTranslator;

namespace {

class InputTranslatorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    winapi::headless::Reset();
    SDL_SetModState(KMOD_NONE);
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.lpszClassName = L"Plain";
    ASSERT_NE(RegisterClassW(&wc), 0);
    // A main window at (100, 100) on the screen with a child at (50, 20).
    main = CreateWindowExW(0, L"Plain", L"", WS_VISIBLE, 100, 100, 300, 200, nullptr, nullptr, nullptr, nullptr);
    child = CreateWindowExW(0, L"Plain", L"", WS_CHILD | WS_VISIBLE, 50, 20, 100, 40, main, nullptr, nullptr, nullptr);
  }
  void TearDown() override {
    SDL_SetModState(KMOD_NONE);
    winapi::headless::Reset();
  }

  std::vector<InputMessage> Translate(const SDL_Event& event) { return translator.Translate(event, main); }

  static SDL_Event Motion(int x, int y, Uint32 buttons) {
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = x;
    e.motion.y = y;
    e.motion.state = buttons;
    return e;
  }
  static SDL_Event Button(bool down, Uint8 button, int x, int y, Uint8 clicks = 1) {
    SDL_Event e{};
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.button = button;
    e.button.x = x;
    e.button.y = y;
    e.button.clicks = clicks;
    return e;
  }
  static SDL_Event Key(bool down, SDL_Scancode scancode, SDL_Keycode keycode, Uint16 mod = KMOD_NONE,
                       bool repeat = false) {
    SDL_Event e{};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.keysym.scancode = scancode;
    e.key.keysym.sym = keycode;
    e.key.keysym.mod = mod;
    e.key.repeat = repeat ? 1 : 0;
    return e;
  }
  static SDL_Event Text(const char* utf8) {
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    std::snprintf(e.text.text, sizeof e.text.text, "%s", utf8);
    return e;
  }
  static SDL_Event Window(SDL_WindowEventID id) {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = id;
    return e;
  }

  InputTranslator translator;
  HWND main = nullptr;
  HWND child = nullptr;
};

void ExpectMessage(const std::vector<InputMessage>& out, std::size_t i, HWND hwnd, UINT message, WPARAM wParam,
                   const char* what) {
  ASSERT_LT(i, out.size()) << what;
  EXPECT_EQ(out[i].hwnd, hwnd) << what;
  EXPECT_EQ(out[i].message, message) << what;
  EXPECT_EQ(out[i].wParam, wParam) << what;
}

}  // namespace

TEST_F(InputTranslatorTest, MouseGoesToTheWindowUnderThePointerInItsCoordinates) {
  auto out = Translate(Motion(60, 30, SDL_BUTTON_LMASK));
  ExpectMessage(out, 0, child, WM_MOUSEMOVE, MK_LBUTTON, "drag over the child");
  EXPECT_EQ(GET_X_LPARAM(out[0].lParam), 10);
  EXPECT_EQ(GET_Y_LPARAM(out[0].lParam), 10);

  // Outside the window while SDL holds the pointer: signed coordinates.
  out = Translate(Motion(-5, -7, 0));
  ExpectMessage(out, 0, main, WM_MOUSEMOVE, 0, "left of and above");
  EXPECT_EQ(GET_X_LPARAM(out[0].lParam), -5);
  EXPECT_EQ(GET_Y_LPARAM(out[0].lParam), -7);

  SDL_SetModState(KMOD_LSHIFT);
  out = Translate(Button(true, SDL_BUTTON_LEFT, 5, 6));
  ExpectMessage(out, 0, main, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, "press with Shift");
  EXPECT_EQ(out[0].lParam, MAKELPARAM(5, 6));
  out = Translate(Button(false, SDL_BUTTON_LEFT, 5, 6));
  ExpectMessage(out, 0, main, WM_LBUTTONUP, MK_SHIFT, "release: the button is no longer held");
  SDL_SetModState(KMOD_NONE);

  // A second click in quick succession is another press, never a double click.
  out = Translate(Button(true, SDL_BUTTON_RIGHT, 5, 6, 2));
  ExpectMessage(out, 0, main, WM_RBUTTONDOWN, MK_RBUTTON, "fast second click");
  out = Translate(Button(true, SDL_BUTTON_X1, 5, 6));
  ExpectMessage(out, 0, main, WM_XBUTTONDOWN, MAKEWPARAM(MK_RBUTTON | MK_XBUTTON1, XBUTTON1), "extra button");
}

TEST_F(InputTranslatorTest, TheWheelGoesToTheKeyboardWindowWithScreenCoordinates) {
  SetFocus(child);
  SDL_Event e{};
  e.type = SDL_MOUSEWHEEL;
  e.wheel.y = -2;
  e.wheel.mouseX = 10;
  e.wheel.mouseY = 20;
  auto out = Translate(e);
  ExpectMessage(out, 0, child, WM_MOUSEWHEEL, MAKEWPARAM(0, -2 * WHEEL_DELTA), "wheel towards the player");
  EXPECT_EQ(out[0].lParam, MAKELPARAM(110, 120));
  e.wheel.direction = SDL_MOUSEWHEEL_FLIPPED;
  out = Translate(e);
  ExpectMessage(out, 0, child, WM_MOUSEWHEEL, MAKEWPARAM(0, 2 * WHEEL_DELTA), "flipped wheel");
}

TEST_F(InputTranslatorTest, KeysRepeatsAndReleasesGoToTheFocusWindow) {
  SetFocus(child);
  auto out = Translate(Key(true, SDL_SCANCODE_A, SDLK_a));
  ExpectMessage(out, 0, child, WM_KEYDOWN, 'A', "press");
  EXPECT_EQ(out[0].lParam, 1);
  out = Translate(Key(true, SDL_SCANCODE_A, SDLK_a, KMOD_NONE, true));
  ExpectMessage(out, 0, child, WM_KEYDOWN, 'A', "repeat");
  EXPECT_EQ(out[0].lParam, 1 | (LPARAM{1} << 30));
  out = Translate(Key(false, SDL_SCANCODE_A, SDLK_a));
  ExpectMessage(out, 0, child, WM_KEYUP, 'A', "release");
  EXPECT_EQ(out[0].lParam, 1 | (LPARAM{1} << 30) | (LPARAM{1} << 31));

  out = Translate(Key(true, SDL_SCANCODE_LSHIFT, SDLK_LSHIFT, KMOD_LSHIFT));
  ExpectMessage(out, 0, child, WM_KEYDOWN, VK_SHIFT, "Shift is a key of its own");
  out = Translate(Key(true, SDL_SCANCODE_KP_3, SDLK_KP_3, KMOD_NUM));
  ExpectMessage(out, 0, child, WM_KEYDOWN, VK_NUMPAD3, "keypad digit");
  EXPECT_TRUE(Translate(Key(true, SDL_SCANCODE_MUTE, SDLK_MUTE)).empty()) << "a key without a virtual key";
}

TEST_F(InputTranslatorTest, AltMakesSystemKeysAndKeepsTypedCharactersOut) {
  auto out = Translate(Key(true, SDL_SCANCODE_LALT, SDLK_LALT, KMOD_LALT));
  ExpectMessage(out, 0, main, WM_SYSKEYDOWN, VK_MENU, "Alt");
  out = Translate(Key(true, SDL_SCANCODE_X, SDLK_x, KMOD_LALT));
  ExpectMessage(out, 0, main, WM_SYSKEYDOWN, 'X', "Alt+X");
  EXPECT_EQ(out[0].lParam, 1 | (LPARAM{1} << 29));
  SDL_SetModState(KMOD_LALT);
  out = Translate(Text("x"));
  ExpectMessage(out, 0, main, WM_SYSCHAR, 'x', "character typed with Alt");
  SDL_SetModState(KMOD_NONE);
  out = Translate(Key(false, SDL_SCANCODE_LALT, SDLK_LALT));
  ExpectMessage(out, 0, main, WM_SYSKEYUP, VK_MENU, "Alt released");
  out = Translate(Key(true, SDL_SCANCODE_F10, SDLK_F10));
  ExpectMessage(out, 0, main, WM_SYSKEYDOWN, VK_F10, "F10");
}

TEST_F(InputTranslatorTest, TextAndEditingKeysBecomeCharacters) {
  auto out = Translate(Text("a\xC3\xA9\xE4\xB8\xAD"));
  ASSERT_EQ(out.size(), 3u);
  ExpectMessage(out, 0, main, WM_CHAR, 'a', "ASCII");
  ExpectMessage(out, 1, main, WM_CHAR, 0xE9, "two bytes");
  ExpectMessage(out, 2, main, WM_CHAR, 0x4E2D, "three bytes");

  const struct {
    SDL_Scancode scancode;
    SDL_Keycode keycode;
    int virtualKey;
    wchar_t character;
  } editing[] = {{SDL_SCANCODE_BACKSPACE, SDLK_BACKSPACE, VK_BACK, L'\b'},
                 {SDL_SCANCODE_TAB, SDLK_TAB, VK_TAB, L'\t'},
                 {SDL_SCANCODE_RETURN, SDLK_RETURN, VK_RETURN, L'\r'},
                 {SDL_SCANCODE_ESCAPE, SDLK_ESCAPE, VK_ESCAPE, 0x1B}};
  for (const auto& key : editing) {
    out = Translate(Key(true, key.scancode, key.keycode));
    ASSERT_EQ(out.size(), 2u) << key.virtualKey;
    ExpectMessage(out, 0, main, WM_KEYDOWN, key.virtualKey, "the key");
    ExpectMessage(out, 1, main, WM_CHAR, key.character, "then its character");
  }
  EXPECT_EQ(Translate(Key(true, SDL_SCANCODE_DELETE, SDLK_DELETE)).size(), 1u) << "Delete is no character";
}

TEST_F(InputTranslatorTest, TheCloseBoxClosesAndLosingTheFocusReleasesHeldKeys) {
  auto out = Translate(Window(SDL_WINDOWEVENT_CLOSE));
  ExpectMessage(out, 0, main, WM_SYSCOMMAND, SC_CLOSE, "close box");

  Translate(Key(true, SDL_SCANCODE_LCTRL, SDLK_LCTRL, KMOD_LCTRL));
  Translate(Key(true, SDL_SCANCODE_Z, SDLK_z, KMOD_LCTRL));
  Translate(Key(true, SDL_SCANCODE_W, SDLK_w));
  Translate(Key(false, SDL_SCANCODE_W, SDLK_w));
  out = Translate(Window(SDL_WINDOWEVENT_FOCUS_LOST));
  ASSERT_EQ(out.size(), 2u) << "Control and Z are still held";
  for (const InputMessage& m : out) {
    EXPECT_EQ(m.message, WM_KEYUP);
    EXPECT_TRUE(m.wParam == VK_CONTROL || m.wParam == 'Z') << m.wParam;
  }
  EXPECT_TRUE(translator.ReleaseHeldKeys(main).empty()) << "released once";
  EXPECT_TRUE(Translate(Window(SDL_WINDOWEVENT_MOVED)).empty());
}
