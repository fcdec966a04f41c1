#include "platform/host/save_failure_report.h"

#include "app/ResourceManager.h"
#include "base/SmallFile.h"
#include "base/utf.h"
#include "notus/platform/ownerdrawWin32/app.h"
#include "platform/host/host_common.h"

#include <atomic>
#include <memory>
#include <string>
#include <string_view>

namespace host {

namespace {

constexpr int kSaveFailed = 451;
// Where the folder goes in the text.
constexpr std::wstring_view kFolderMark = L"%1";
constexpr const wchar_t* kEnglish = L"Tavlin could not save its files in %1.";

}  // namespace

std::wstring SaveFailureText(const std::string& folderBytes) {
  std::wstring text = ResourceManager::GetStringOr(kSaveFailed, kEnglish);
  std::size_t mark = text.find(kFolderMark);
  // A translation that lost the mark would hide where the files are.
  if (mark == std::wstring::npos) {
    text = kEnglish;
    mark = text.find(kFolderMark);
  }
  return text.replace(mark, kFolderMark.size(), utf8_to_wide(folderBytes, utf_errors::lenient));
}

std::function<void(const std::string& folderBytes)> MakeSaveFailureReporter() {
  // Shared by every copy of the function, and set before the box shows: the
  // box's own message loop may run a save that fails again.
  auto shown = std::make_shared<std::atomic<bool>>(false);
  return [shown](const std::string& folderBytes) {
    if (shown->exchange(true)) return;
    const HWND main = notus::impl::details::app::instance().main_window();
    MessageBoxW(IsWindow(main) ? main : nullptr, SaveFailureText(folderBytes).c_str(), message_caption,
                MB_OK | MB_ICONWARNING);
  };
}

void InstallSaveFailureReporter() { SetReplaceFailureReporter(MakeSaveFailureReporter()); }

}  // namespace host
