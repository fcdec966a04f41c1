#include "winapi/sdl/message_box.h"

#include "base/utf.h"

#include <cstdio>
#include <string>
#include <vector>

namespace winapi::sdl {
namespace {

struct Button {
  int id;
  const char* label;
};

std::vector<Button> ButtonsOf(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return {{IDOK, "OK"}, {IDCANCEL, "Cancel"}};
    case MB_ABORTRETRYIGNORE: return {{IDABORT, "Abort"}, {IDRETRY, "Retry"}, {IDIGNORE, "Ignore"}};
    case MB_YESNOCANCEL: return {{IDYES, "Yes"}, {IDNO, "No"}, {IDCANCEL, "Cancel"}};
    case MB_YESNO: return {{IDYES, "Yes"}, {IDNO, "No"}};
    case MB_RETRYCANCEL: return {{IDRETRY, "Retry"}, {IDCANCEL, "Cancel"}};
    default: return {{IDOK, "OK"}};
  }
}

Uint32 IconFlag(UINT type) {
  switch (type & MB_ICONMASK) {
    case MB_ICONERROR: return SDL_MESSAGEBOX_ERROR;
    case MB_ICONEXCLAMATION: return SDL_MESSAGEBOX_WARNING;
    default: return SDL_MESSAGEBOX_INFORMATION;
  }
}

}  // namespace

int ShowMessageBox(SDL_Window* parent, LPCWSTR text, LPCWSTR caption, UINT type) {
  const std::string message = wide_to_utf8(text, utf_errors::lenient);
  const std::string title = wide_to_utf8(caption, utf_errors::lenient);
  const std::vector<Button> buttons = ButtonsOf(type);

  std::vector<SDL_MessageBoxButtonData> data;
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    Uint32 flags = 0;
    if (i == 0) {
      flags |= SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
    }
    // Escape answers Cancel where there is one, and OK when it is alone.
    if (buttons[i].id == IDCANCEL || buttons.size() == 1) {
      flags |= SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
    }
    data.push_back(SDL_MessageBoxButtonData{flags, buttons[i].id, buttons[i].label});
  }
  const SDL_MessageBoxData box{IconFlag(type), parent, title.c_str(), message.c_str(), static_cast<int>(data.size()),
                               data.data(),    nullptr};
  int chosen = -1;
  if (SDL_ShowMessageBox(&box, &chosen) != 0) {
    std::fprintf(stderr, "[message box] %s: %s\n", title.c_str(), message.c_str());
    return buttons.front().id;
  }
  if (chosen < 0) {
    // Closed without a button: Cancel where there is one.
    for (const Button& button : buttons) {
      if (button.id == IDCANCEL) {
        return IDCANCEL;
      }
    }
    return buttons.front().id;
  }
  return chosen;
}

}  // namespace winapi::sdl
