#include "winapi/sdl/input_translator.h"

#include "base/utf.h"
#include "winapi/backend.h"
#include "winapi/sdl/key_map.h"

namespace winapi::sdl {
namespace {

// Bits of a key message's lParam.
constexpr LPARAM kRepeatOnce = 1;
constexpr LPARAM kAltHeld = LPARAM{1} << 29;
constexpr LPARAM kWasDown = LPARAM{1} << 30;
constexpr LPARAM kReleased = LPARAM{1} << 31;

// The characters Win32 makes of these keys.
wchar_t ControlCharacter(int virtualKey) {
  switch (virtualKey) {
    case VK_BACK: return L'\b';
    case VK_TAB: return L'\t';
    case VK_RETURN: return L'\r';
    case VK_ESCAPE: return 0x1B;
    default: return 0;
  }
}

struct ButtonMessages {
  UINT down;
  UINT up;
  WORD xbutton;
};

bool MessagesOfButton(Uint8 button, ButtonMessages& messages) {
  switch (button) {
    case SDL_BUTTON_LEFT: messages = {WM_LBUTTONDOWN, WM_LBUTTONUP, 0}; return true;
    case SDL_BUTTON_RIGHT: messages = {WM_RBUTTONDOWN, WM_RBUTTONUP, 0}; return true;
    case SDL_BUTTON_MIDDLE: messages = {WM_MBUTTONDOWN, WM_MBUTTONUP, 0}; return true;
    case SDL_BUTTON_X1: messages = {WM_XBUTTONDOWN, WM_XBUTTONUP, XBUTTON1}; return true;
    case SDL_BUTTON_X2: messages = {WM_XBUTTONDOWN, WM_XBUTTONUP, XBUTTON2}; return true;
    default: return false;
  }
}

}  // namespace

WPARAM InputTranslator::MouseKeys() const {
  WPARAM keys = 0;
  if (buttons_ & SDL_BUTTON_LMASK) keys |= MK_LBUTTON;
  if (buttons_ & SDL_BUTTON_RMASK) keys |= MK_RBUTTON;
  if (buttons_ & SDL_BUTTON_MMASK) keys |= MK_MBUTTON;
  if (buttons_ & SDL_BUTTON_X1MASK) keys |= MK_XBUTTON1;
  if (buttons_ & SDL_BUTTON_X2MASK) keys |= MK_XBUTTON2;
  const SDL_Keymod mod = SDL_GetModState();
  if (mod & KMOD_SHIFT) keys |= MK_SHIFT;
  if (mod & KMOD_CTRL) keys |= MK_CONTROL;
  return keys;
}

void InputTranslator::Mouse(std::vector<InputMessage>& out, HWND topLevel, int x, int y, UINT message,
                            WPARAM extra) const {
  const HWND target = WindowFromClientPoint(topLevel, POINT{x, y});
  if (target == nullptr) {
    return;
  }
  POINT point{x, y};
  ClientToScreen(topLevel, &point);
  ScreenToClient(target, &point);
  out.push_back({target, message, MouseKeys() | extra, MAKELPARAM(point.x, point.y)});
}

void InputTranslator::Key(std::vector<InputMessage>& out, const SDL_KeyboardEvent& key, HWND topLevel) {
  const int virtualKey = VirtualKey(key.keysym.scancode, key.keysym.sym, (key.keysym.mod & KMOD_NUM) != 0);
  if (virtualKey == 0) {
    return;
  }
  const bool altHeld = (key.keysym.mod & KMOD_ALT) != 0;
  const bool system = altHeld || virtualKey == VK_MENU || virtualKey == VK_F10;
  const HWND target = KeyboardTarget(topLevel);
  const LPARAM alt = altHeld ? kAltHeld : 0;
  if (key.type == SDL_KEYDOWN) {
    held_[key.keysym.scancode] = HeldKey{virtualKey, system};
    const LPARAM flags = kRepeatOnce | alt | (key.repeat != 0 ? kWasDown : 0);
    out.push_back({target, system ? WM_SYSKEYDOWN : WM_KEYDOWN, static_cast<WPARAM>(virtualKey), flags});
    if (const wchar_t character = ControlCharacter(virtualKey); character != 0 && !system) {
      out.push_back({target, WM_CHAR, static_cast<WPARAM>(character), kRepeatOnce});
    }
  } else {
    held_.erase(key.keysym.scancode);
    const LPARAM flags = kRepeatOnce | alt | kWasDown | kReleased;
    out.push_back({target, system ? WM_SYSKEYUP : WM_KEYUP, static_cast<WPARAM>(virtualKey), flags});
  }
}

std::vector<InputMessage> InputTranslator::Translate(const SDL_Event& event, HWND topLevel) {
  std::vector<InputMessage> out;
  switch (event.type) {
    case SDL_MOUSEMOTION:
      buttons_ = event.motion.state;
      Mouse(out, topLevel, event.motion.x, event.motion.y, WM_MOUSEMOVE, 0);
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      ButtonMessages messages{};
      if (!MessagesOfButton(event.button.button, messages)) {
        break;
      }
      const bool down = event.type == SDL_MOUSEBUTTONDOWN;
      if (down) {
        buttons_ |= SDL_BUTTON(event.button.button);
      } else {
        buttons_ &= ~SDL_BUTTON(event.button.button);
      }
      Mouse(out, topLevel, event.button.x, event.button.y, down ? messages.down : messages.up,
            MAKEWPARAM(0, messages.xbutton));
      break;
    }
    case SDL_MOUSEWHEEL: {
      int steps = event.wheel.y;
      if (event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) {
        steps = -steps;
      }
      if (steps == 0) {
        break;
      }
      POINT point{event.wheel.mouseX, event.wheel.mouseY};
      ClientToScreen(topLevel, &point);
      out.push_back({KeyboardTarget(topLevel), WM_MOUSEWHEEL,
                     MAKEWPARAM(static_cast<int>(MouseKeys()), steps * WHEEL_DELTA), MAKELPARAM(point.x, point.y)});
      break;
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP: Key(out, event.key, topLevel); break;
    case SDL_TEXTINPUT: {
      const UINT message = (SDL_GetModState() & KMOD_LALT) != 0 ? WM_SYSCHAR : WM_CHAR;
      const HWND target = KeyboardTarget(topLevel);
      for (const wchar_t character : utf8_to_wide(event.text.text, utf_errors::lenient)) {
        out.push_back({target, message, static_cast<WPARAM>(character), kRepeatOnce});
      }
      break;
    }
    case SDL_WINDOWEVENT:
      if (event.window.event == SDL_WINDOWEVENT_CLOSE) {
        out.push_back({topLevel, WM_SYSCOMMAND, SC_CLOSE, 0});
      } else if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
        out = ReleaseHeldKeys(topLevel);
      }
      break;
    default: break;
  }
  return out;
}

std::vector<InputMessage> InputTranslator::ReleaseHeldKeys(HWND topLevel) {
  std::vector<InputMessage> out;
  const HWND target = KeyboardTarget(topLevel);
  for (const auto& [scancode, key] : held_) {
    out.push_back({target, key.system ? WM_SYSKEYUP : WM_KEYUP, static_cast<WPARAM>(key.virtualKey),
                   kRepeatOnce | kWasDown | kReleased});
  }
  held_.clear();
  return out;
}

}  // namespace winapi::sdl
