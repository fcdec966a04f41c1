#include "forms/commands/PuzzleFileDialog.h"

#include <string>
#include <utility>

#include "app/ResourceManager.h"
#include "forms/dialogs/OkDialog.h"
#include "notus/platform/ownerdrawWin32/app.h"
#include "notus/platform/ownerdrawWin32/native_control.h"
#include "winapi/path_prompt.h"
#include "winapi/windows.h"

namespace puzzle_file {

namespace {

// Name / pattern pairs, the list ended by a second NUL.
constexpr wchar_t kFilter[] = L"All\0*.*\0Text\0*.TXT\0";

// The texts of our own path prompt and the dialogs' titles.  The buttons of
// the boxes the prompt shows take their texts when a language loads.
constexpr int kPromptLabel = 430, kPromptOk = 431, kPromptCancel = 432, kPromptIsFolder = 433, kPromptExists = 434,
              kPromptReplace = 435, kPromptNotFound = 436, kOpenTitle = 437, kSaveTitle = 438;

HWND MainWindow() { return notus::impl::details::app::instance().main_window(); }

// Set before each dialog: the player may have changed the language since.
void SetPromptTexts() {
  winapi::PathPromptTexts texts;
  texts.label = ResourceManager::GetString(kPromptLabel);
  texts.ok = ResourceManager::GetString(kPromptOk);
  texts.cancel = ResourceManager::GetString(kPromptCancel);
  texts.isFolder = ResourceManager::GetString(kPromptIsFolder);
  texts.exists = ResourceManager::GetString(kPromptExists);
  texts.replace = ResourceManager::GetString(kPromptReplace);
  texts.notFound = ResourceManager::GetString(kPromptNotFound);
  winapi::SetPathPromptTexts(std::move(texts));
}

// Our own file prompt is a text entry too: on a device that types through a
// soft keyboard, it takes no letter unless the keyboard is asked for.
class SoftKeyboardWhileAsking {
 public:
  SoftKeyboardWhileAsking() : m_hooks(notus::impl::details::installed_native_edit_hooks()) {
    if (m_hooks.before_create) m_hooks.before_create();
  }
  ~SoftKeyboardWhileAsking() {
    if (m_hooks.after_destroy) m_hooks.after_destroy();
  }
  SoftKeyboardWhileAsking(const SoftKeyboardWhileAsking&) = delete;
  SoftKeyboardWhileAsking& operator=(const SoftKeyboardWhileAsking&) = delete;

 private:
  notus::impl::details::native_edit_hooks m_hooks;
};

}  // namespace

std::optional<std::wstring> AskForPuzzleFile(DialogKind kind) {
  wchar_t file[MAX_PATH] = {};
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = MainWindow();
  ofn.lpstrFilter = kFilter;
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file;
  ofn.nMaxFile = MAX_PATH;
  const std::wstring title = ResourceManager::GetString(kind == DialogKind::open ? kOpenTitle : kSaveTitle);
  ofn.lpstrTitle = title.c_str();
  SetPromptTexts();
  BOOL chosen = FALSE;
  DWORD error = 0;
  {
    const SoftKeyboardWhileAsking keyboard;
    chosen = kind == DialogKind::open ? GetOpenFileNameW(&ofn) : GetSaveFileNameW(&ofn);
    error = GetLastError();
  }
  if (chosen) return std::wstring(file);
  if (error != 0) MessageBoxW(MainWindow(), std::to_wstring(error).c_str(), L"Error code", MB_ICONEXCLAMATION);
  return std::nullopt;
}

void ShowFileProblem(int messageId, const std::wstring& detail) {
  ShowOkDialog(ResourceManager::GetString(kProblemTitle), ResourceManager::GetString(messageId) + detail);
}

std::wstring FileNameToShow(const std::wstring& path) {
  std::wstring name = path;
  while (name.size() > 1 && name.back() == L'/') name.pop_back();
  if (const std::size_t slash = name.rfind(L'/'); slash != std::wstring::npos && name.size() > 1)
    name.erase(0, slash + 1);
  // The path codec keeps a byte that is not UTF-8 as U+DC80..U+DCFF, which
  // no font draws.
  for (wchar_t& c : name)
    if (c >= 0xDC80 && c <= 0xDCFF) c = 0xFFFD;
  return name;
}

}  // namespace puzzle_file
