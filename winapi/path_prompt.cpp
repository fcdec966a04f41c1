#include "winapi/path_prompt.h"

#include "base/utf.h"
#include "winapi/gdi_objects.h"
#include "winapi/window_registry.h"

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <system_error>

namespace winapi {
namespace {

constexpr LPCWSTR kClassName = L"PathPrompt";
constexpr int kWidth = 420;
constexpr int kHeight = 118;
constexpr RECT kLabel{12, 8, 408, 30};
constexpr RECT kEntry{12, 34, 408, 58};
constexpr RECT kOk{228, 78, 312, 106};
constexpr RECT kCancel{324, 78, 408, 106};
constexpr std::uint32_t kFace = 0xFFE6E6E6u;
constexpr std::uint32_t kFrame = 0xFF5A5A5Au;
constexpr std::uint32_t kButton = 0xFFF7F7F7u;

struct Prompt {
  const FileDialogRequest& request;
  HWND window = nullptr;
  HWND entry = nullptr;
  std::optional<FileDialogResult> result;
};

bool Contains(const RECT& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

void DrawFrame(const core::PixelView& view, const RECT& r, std::uint32_t fill) {
  core::FillPixels(view, r, kFrame);
  core::FillPixels(view, RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, fill);
}

void Paint(HWND hwnd) {
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(hwnd, &paint);
  if (dc == nullptr) {
    return;
  }
  if (const auto target = core::TargetOf(dc)) {
    const RECT client{0, 0, kWidth, kHeight};
    core::FillPixels(target->view, client, kFace);
    // The EDIT control draws no border of its own: one pixel around it.
    DrawFrame(target->view, RECT{kEntry.left - 1, kEntry.top - 1, kEntry.right + 1, kEntry.bottom + 1}, kFace);
    DrawFrame(target->view, kOk, kButton);
    DrawFrame(target->view, kCancel, kButton);
    core::ReportDrawn(*target, client);
    SetBkMode(dc, TRANSPARENT);
    RECT label = kLabel;
    DrawTextW(dc, L"File name:", -1, &label, DT_SINGLELINE | DT_LEFT | DT_VCENTER | DT_NOPREFIX);
    RECT ok = kOk;
    DrawTextW(dc, L"OK", -1, &ok, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
    RECT cancel = kCancel;
    DrawTextW(dc, L"Cancel", -1, &cancel, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
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
  const std::wstring quoted = L"\"" + path + L"\"";
  if (std::filesystem::is_directory(onDisk, error)) {
    Ask(prompt, quoted + L" is a folder. Type the name of a file.", MB_OK, IDOK);
    return;
  }
  const bool exists = std::filesystem::exists(onDisk, error);
  if (prompt.request.save && exists &&
      !Ask(prompt, quoted + L" already exists.\nDo you want to replace it?", MB_YESNO, IDYES)) {
    return;
  }
  if (!prompt.request.save && !exists && (prompt.request.flags & OFN_FILEMUSTEXIST) != 0) {
    Ask(prompt, quoted + L" was not found.", MB_OK, IDOK);
    return;
  }
  prompt.result = FileDialogResult::Chosen(path);
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
    case WM_PAINT: Paint(hwnd); return 0;
    case WM_LBUTTONDOWN: {
      const int x = GET_X_LPARAM(lParam);
      const int y = GET_Y_LPARAM(lParam);
      if (Contains(kOk, x, y)) {
        Accept(*prompt);
      } else if (Contains(kCancel, x, y)) {
        prompt->result = FileDialogResult::Cancelled();
      }
      return 0;
    }
    case WM_CLOSE: prompt->result = FileDialogResult::Cancelled(); return 0;
    default: return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

// A system class, like EDIT: it outlives ResetState and needs no program
// to register it.
void EnsureClass() {
  static const bool added = [] {
    auto prompt = std::make_shared<core::WindowClass>();
    prompt->name = kClassName;
    prompt->proc = &PromptProc;
    prompt->cursor = LoadCursorW(nullptr, IDC_ARROW);
    core::AddSystemClass(std::move(prompt));
    return true;
  }();
  (void)added;
}

// Centred over the owner, or on the screen without one.
POINT Placement(HWND owner) {
  RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (owner != nullptr && IsWindow(owner)) {
    GetWindowRect(core::TopLevelOf(owner), &area);
  }
  return POINT{area.left + (area.right - area.left - kWidth) / 2, area.top + (area.bottom - area.top - kHeight) / 2};
}

bool IsInput(UINT message) {
  return (message >= WM_KEYFIRST && message <= WM_KEYLAST) || (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
         message == WM_SYSCOMMAND;
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

FileDialogResult RunPathPrompt(const FileDialogRequest& request) {
  EnsureClass();
  Prompt prompt{request, nullptr, nullptr, std::nullopt};
  const HWND previousFocus = GetFocus();
  const POINT at = Placement(request.owner);
  prompt.window = CreateWindowExW(0, kClassName, request.title.c_str(), WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, at.x,
                                  at.y, kWidth, kHeight, nullptr, nullptr, nullptr, &prompt);
  if (prompt.window == nullptr) {
    return FileDialogResult::Failed(CDERR_DIALOGFAILURE);
  }
  prompt.entry =
      CreateWindowExW(0, L"EDIT", request.initialPath.c_str(), WS_CHILD | WS_VISIBLE, kEntry.left, kEntry.top,
                      kEntry.right - kEntry.left, kEntry.bottom - kEntry.top, prompt.window, nullptr, nullptr, nullptr);
  ShowWindow(prompt.window, SW_SHOW);
  SetFocus(prompt.entry);

  std::optional<int> quitCode;
  while (!prompt.result) {
    MSG msg;
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      quitCode = static_cast<int>(msg.wParam);
      prompt.result = FileDialogResult::Cancelled();
    } else if (got < 0) {
      prompt.result = FileDialogResult::Failed(CDERR_DIALOGFAILURE);
    } else if (IsInput(msg.message) && core::TopLevelOf(msg.hwnd) != prompt.window) {
      // Another window's input: dropped while the prompt is up.
    } else if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN) {
      Accept(prompt);
    } else if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
      prompt.result = FileDialogResult::Cancelled();
    } else if (msg.message == WM_CHAR && (msg.wParam == L'\r' || msg.wParam == 0x1B)) {
      // The characters of Return and Escape, already acted on.
    } else {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  DestroyWindow(prompt.window);
  if (previousFocus != nullptr && IsWindow(previousFocus)) {
    SetFocus(previousFocus);
  }
  if (quitCode) {
    PostQuitMessage(*quitCode);
  }
  return *prompt.result;
}

}  // namespace winapi
