#include "winapi/path_prompt.h"

#include "base/utf.h"
#include "winapi/gdi_objects.h"
#include "winapi/handheld_api.h"
#include "winapi/modal_window.h"
#include "winapi/window_registry.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <system_error>

namespace winapi {
namespace {

constexpr LPCWSTR kClassName = L"PathPrompt";

// The widest the prompt gets, and the room it leaves its owner on each side.
constexpr int kWidestPrompt = 420;
constexpr int kRoomAround = 4;

// Spacing of the prompt: roomy where it has the room, tight on a small
// handheld screen.
struct Spacing {
  int margin;      // around the parts
  int gap;         // between label and entry, and between stacked buttons
  int labelExtra;  // the label's height above the text's
  int entryExtra;  // the entry's height above the text's
  int beforeButtons;
  int buttonHeight;
  int minButtonWidth;
};
constexpr Spacing kRoomy{12, 4, 6, 8, 20, 28, 84};
constexpr Spacing kTight{4, 2, 2, 6, 6, 24, 0};
constexpr int kButtonPadding = 16;  // around a button's text

// The spacing for text of `lineHeight` pixels.
Spacing ScaledToText(const Spacing& s, int lineHeight) {
  const auto scaled = [lineHeight](int pixels) { return core::ScaledToText(pixels, lineHeight); };
  return Spacing{scaled(s.margin),        scaled(s.gap),          scaled(s.labelExtra),    scaled(s.entryExtra),
                 scaled(s.beforeButtons), scaled(s.buttonHeight), scaled(s.minButtonWidth)};
}

PathPromptTexts& Texts() {
  static PathPromptTexts texts;
  return texts;
}

bool g_ownPrompt = false;

// The parts that take the keyboard, in the order Tab moves through them.
enum class Part { entry, ok, cancel };
constexpr int kParts = 3;

struct Prompt {
  const FileDialogRequest& request;
  PathPromptTexts texts;
  PathPromptLayout layout;
  HWND window = nullptr;
  HWND entry = nullptr;
  std::optional<FileDialogResult> result;
  // The button that has the keyboard while the prompt's own window has it;
  // the entry, an EDIT control, has it as a window of its own.
  Part button = Part::ok;
};

// Follows the windows' focus, so that a click into the entry takes the
// keyboard from a button.
Part FocusedPart(const Prompt& prompt) { return GetFocus() == prompt.entry ? Part::entry : prompt.button; }

void FocusPart(Prompt& prompt, Part part) {
  if (part == Part::entry) {
    SetFocus(prompt.entry);
  } else {
    prompt.button = part;
    SetFocus(prompt.window);
  }
  InvalidateRect(prompt.window, nullptr, FALSE);
}

// Tab moves on, Shift+Tab back, both round.
void MoveFocus(Prompt& prompt, int by) {
  const int next = (static_cast<int>(FocusedPart(prompt)) + by + kParts) % kParts;
  FocusPart(prompt, static_cast<Part>(next));
}

void Paint(HWND hwnd, const Prompt& prompt) {
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(hwnd, &paint);
  if (dc == nullptr) {
    return;
  }
  if (const auto target = core::TargetOf(dc)) {
    const PathPromptLayout& layout = prompt.layout;
    const RECT client{0, 0, layout.size.cx, layout.size.cy};
    const RECT& entry = layout.entry;
    const int frame = layout.frame;
    // Framed, so that it stands out from the game under it where no window
    // manager draws a border.
    core::DrawModalFrame(target->view, client, core::kModalFace, frame);
    // The EDIT control draws no border of its own: a frame around it.
    core::DrawModalFrame(target->view,
                         RECT{entry.left - frame, entry.top - frame, entry.right + frame, entry.bottom + frame},
                         core::kModalFace, frame);
    core::DrawModalFrame(target->view, layout.ok, core::kModalButton, frame);
    core::DrawModalFrame(target->view, layout.cancel, core::kModalButton, frame);
    // Return and Space press the button that shows the focus.
    if (const Part focused = FocusedPart(prompt); focused != Part::entry) {
      core::DrawModalFocus(target->view, focused == Part::ok ? layout.ok : layout.cancel, frame);
    }
    core::ReportDrawn(*target, client);
    SetBkMode(dc, TRANSPARENT);
    RECT title = layout.title;
    DrawTextW(dc, prompt.request.title.c_str(), -1, &title, DT_SINGLELINE | DT_LEFT | DT_VCENTER | DT_NOPREFIX);
    RECT label = layout.label;
    DrawTextW(dc, prompt.texts.label.c_str(), -1, &label, DT_SINGLELINE | DT_LEFT | DT_VCENTER | DT_NOPREFIX);
    RECT ok = layout.ok;
    DrawTextW(dc, prompt.texts.ok.c_str(), -1, &ok, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
    RECT cancel = layout.cancel;
    DrawTextW(dc, prompt.texts.cancel.c_str(), -1, &cancel, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
  }
  EndPaint(hwnd, &paint);
}

std::wstring EnvironmentPath(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? utf8_to_wide(value, utf_errors::lenient) : std::wstring();
}

std::wstring CurrentFolder() {
  std::error_code error;
  const std::filesystem::path folder = std::filesystem::current_path(error);
  return error ? std::wstring(L"/") : utf8_to_wide(folder.string(), utf_errors::lenient);
}

// Asks the player; true when the answer is the one that lets the path go.
bool Ask(const Prompt& prompt, const std::wstring& text, UINT type, int letPass) {
  return MessageBoxW(prompt.window, text.c_str(), prompt.request.title.c_str(), type | MB_ICONEXCLAMATION) == letPass;
}

void Accept(Prompt& prompt) {
  const int length = GetWindowTextLengthW(prompt.entry);
  std::wstring typed(static_cast<std::size_t>(length) + 1, L'\0');
  typed.resize(static_cast<std::size_t>(GetWindowTextW(prompt.entry, typed.data(), length + 1)));
  const std::wstring path = ResolveTypedPath(typed, EnvironmentPath("HOME"), CurrentFolder());
  if (path.empty()) {
    return;
  }
  const std::filesystem::path onDisk(wide_to_utf8(path, utf_errors::lenient));
  std::error_code error;
  const std::wstring quoted = L"\"" + path + L"\" ";
  const PathPromptTexts& texts = prompt.texts;
  if (std::filesystem::is_directory(onDisk, error)) {
    Ask(prompt, quoted + texts.isFolder, MB_OK, IDOK);
    return;
  }
  const bool exists = std::filesystem::exists(onDisk, error);
  if (prompt.request.save && exists && !Ask(prompt, quoted + texts.exists + L"\n" + texts.replace, MB_YESNO, IDYES)) {
    return;
  }
  if (!prompt.request.save && !exists && (prompt.request.flags & OFN_FILEMUSTEXIST) != 0) {
    Ask(prompt, quoted + texts.notFound, MB_OK, IDOK);
    return;
  }
  prompt.result = FileDialogResult::Chosen(path);
}

void Press(Prompt& prompt, Part button) {
  if (button == Part::cancel) {
    prompt.result = FileDialogResult::Cancelled();
  } else {
    Accept(prompt);
  }
}

// The keys the prompt acts on itself.  Return in the entry accepts, as OK
// does; Space there is a character of the path.
bool HandleKey(Prompt& prompt, const MSG& msg) {
  if (msg.message == WM_CHAR) {
    // The characters of Return, Escape and Tab, already acted on as keys.
    return msg.wParam == L'\r' || msg.wParam == 0x1B || msg.wParam == L'\t';
  }
  if (msg.message != WM_KEYDOWN) {
    return false;
  }
  switch (msg.wParam) {
    case VK_RETURN: Press(prompt, FocusedPart(prompt)); return true;
    case VK_SPACE:
      if (FocusedPart(prompt) == Part::entry) {
        return false;
      }
      Press(prompt, FocusedPart(prompt));
      return true;
    case VK_ESCAPE: prompt.result = FileDialogResult::Cancelled(); return true;
    case VK_TAB: MoveFocus(prompt, GetKeyState(VK_SHIFT) < 0 ? -1 : 1); return true;
    default: return false;
  }
}

LRESULT CALLBACK PromptProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    return 0;
  }
  auto* prompt = reinterpret_cast<Prompt*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (prompt == nullptr) {
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  switch (message) {
    case WM_PAINT: Paint(hwnd, *prompt); return 0;
    case WM_LBUTTONDOWN: {
      const int x = GET_X_LPARAM(lParam);
      const int y = GET_Y_LPARAM(lParam);
      if (core::PartContains(prompt->layout.ok, x, y)) {
        Accept(*prompt);
      } else if (core::PartContains(prompt->layout.cancel, x, y)) {
        prompt->result = FileDialogResult::Cancelled();
      }
      return 0;
    }
    case WM_CLOSE: prompt->result = FileDialogResult::Cancelled(); return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      // A button's focus comes and goes with the prompt's own window's.
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    default: return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

void EnsureClass() {
  static const bool added = (core::AddModalWindowClass(kClassName, &PromptProc), true);
  (void)added;
}

}  // namespace

std::wstring ResolveTypedPath(const std::wstring& typed, const std::wstring& home, const std::wstring& currentFolder) {
  if (typed.empty() || typed.front() == L'/') {
    return typed;
  }
  if (typed == L"~" || typed.starts_with(L"~/")) {
    return home + typed.substr(1);
  }
  const bool needsSeparator = currentFolder.empty() || currentFolder.back() != L'/';
  return currentFolder + (needsSeparator ? L"/" : L"") + typed;
}

void SetPathPromptTexts(PathPromptTexts texts) { Texts() = std::move(texts); }
void UseOwnFilePrompt(bool own) { g_ownPrompt = own; }
bool UsesOwnFilePrompt() { return g_ownPrompt; }

PathPromptLayout LayoutPathPrompt(SIZE room, SIZE titleText, SIZE labelText, SIZE okText, SIZE cancelText) {
  const int lineHeight = std::max({titleText.cy, labelText.cy, okText.cy, cancelText.cy});
  const int width =
      std::max<LONG>(1, std::min<LONG>(core::ScaledToText(kWidestPrompt, lineHeight), room.cx - 2 * kRoomAround));
  const int buttonPadding = core::ScaledToText(kButtonPadding, lineHeight);
  const auto lay = [&](const Spacing& s) {
    PathPromptLayout layout;
    layout.frame = core::ScaledToText(1, lineHeight);
    const int right = width - s.margin;
    const int titleTop = s.margin - s.margin / 3;  // the text has room above it already
    // No title, no line for it: the window's caption may be all there is.
    const int titleHeight = titleText.cx > 0 ? lineHeight + s.labelExtra : 0;
    layout.title = RECT{s.margin, titleTop, right, titleTop + titleHeight};
    layout.label = RECT{s.margin, layout.title.bottom, right, layout.title.bottom + lineHeight + s.labelExtra};
    const int entryTop = layout.label.bottom + s.gap;
    layout.entry = RECT{s.margin, entryTop, right, entryTop + lineHeight + s.entryExtra};
    const int buttonTop = layout.entry.bottom + s.beforeButtons;
    const int buttonWidth =
        static_cast<int>(std::max<LONG>(s.minButtonWidth, std::max(okText.cx, cancelText.cx) + buttonPadding));
    if (s.margin + 2 * (buttonWidth + s.margin) <= width) {
      // Side by side at the right, Cancel last.
      layout.cancel = RECT{right - buttonWidth, buttonTop, right, buttonTop + s.buttonHeight};
      layout.ok = RECT{layout.cancel.left - s.margin - buttonWidth, buttonTop, layout.cancel.left - s.margin,
                       buttonTop + s.buttonHeight};
    } else {
      // Too narrow for both in a row: each across the prompt, OK on top.
      layout.ok = RECT{s.margin, buttonTop, right, buttonTop + s.buttonHeight};
      const int cancelTop = layout.ok.bottom + s.gap;
      layout.cancel = RECT{s.margin, cancelTop, right, cancelTop + s.buttonHeight};
    }
    layout.size = SIZE{width, layout.cancel.bottom + s.margin};
    return layout;
  };
  const PathPromptLayout roomy = lay(ScaledToText(kRoomy, lineHeight));
  const bool roomyFits = roomy.size.cy <= room.cy - 2 * kRoomAround && roomy.ok.top == roomy.cancel.top;
  return roomyFits ? roomy : lay(ScaledToText(kTight, lineHeight));
}

FileDialogResult RunPathPrompt(const FileDialogRequest& request) {
  EnsureClass();
  Prompt prompt{request, Texts(), {}, nullptr, nullptr, std::nullopt};
  const HWND previousFocus = GetFocus();
  const HWND owner = request.owner != nullptr && IsWindow(request.owner) ? core::TopLevelOf(request.owner) : nullptr;
  const RECT room = core::ModalRoom(owner);
  prompt.layout =
      LayoutPathPrompt(SIZE{room.right - room.left, room.bottom - room.top}, core::ScreenTextExtent(request.title),
                       core::ScreenTextExtent(prompt.texts.label), core::ScreenTextExtent(prompt.texts.ok),
                       core::ScreenTextExtent(prompt.texts.cancel));
  const SIZE size = prompt.layout.size;
  const POINT at = core::PlaceModalWindow(room, size, core::ModalDisplay(room));
  prompt.window = CreateWindowExW(0, kClassName, request.title.c_str(), WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, at.x,
                                  at.y, size.cx, size.cy, owner, nullptr, nullptr, &prompt);
  if (prompt.window == nullptr) {
    return FileDialogResult::Failed(CDERR_DIALOGFAILURE);
  }
  const RECT& entry = prompt.layout.entry;
  prompt.entry =
      CreateWindowExW(0, L"EDIT", request.initialPath.c_str(), WS_CHILD | WS_VISIBLE, entry.left, entry.top,
                      entry.right - entry.left, entry.bottom - entry.top, prompt.window, nullptr, nullptr, nullptr);
  ShowWindow(prompt.window, SW_SHOW);
  SetFocus(prompt.entry);

  const core::ModalLoopEnd end = core::RunModalLoop(
      prompt.window, previousFocus, [&prompt] { return prompt.result.has_value(); },
      [&prompt](const MSG& msg) { return HandleKey(prompt, msg); });
  if (end.failed) {
    prompt.result = FileDialogResult::Failed(CDERR_DIALOGFAILURE);
  } else if (end.quitCode) {
    prompt.result = FileDialogResult::Cancelled();
  }
  return *prompt.result;
}

}  // namespace winapi
