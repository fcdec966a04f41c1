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

void ShowFileProblem(int messageId) {
  ShowOkDialog(ResourceManager::GetString(kProblemTitle), ResourceManager::GetString(messageId));
}

}  // namespace puzzle_file
