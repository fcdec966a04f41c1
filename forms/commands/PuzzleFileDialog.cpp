#include "forms/commands/PuzzleFileDialog.h"

#include <string>

#include "app/ResourceManager.h"
#include "forms/dialogs/OkDialog.h"
#include "notus/platform/ownerdrawWin32/app.h"
#include "winapi/windows.h"

namespace puzzle_file {

namespace {

// Name / pattern pairs, the list ended by a second NUL.
constexpr wchar_t kFilter[] = L"All\0*.*\0Text\0*.TXT\0";

HWND MainWindow() { return notus::impl::details::app::instance().main_window(); }

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
  const BOOL chosen = kind == DialogKind::open ? GetOpenFileNameW(&ofn) : GetSaveFileNameW(&ofn);
  if (chosen) return std::wstring(file);
  if (const DWORD error = GetLastError(); error != 0)
    MessageBoxW(MainWindow(), std::to_wstring(error).c_str(), L"Error code", MB_ICONEXCLAMATION);
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
