#include "platform/win32/Application/save_failure_report.h"

#include "base/SmallFile.h"
#include "base/utf.h"
#include "platform/win32/Application/app_entry.h"

#include <atomic>
#include <memory>

namespace desktop {

std::wstring SaveFailureText(const std::string& folderBytes) {
  return L"Tavlin could not save its files in " + utf8_to_wide(folderBytes, utf_errors::lenient) + L".";
}

std::function<void(const std::string& folderBytes)> MakeSaveFailureReporter() {
  // Shared by every copy of the function, and set before the box shows: the
  // box's own message loop may run a save that fails again.
  auto shown = std::make_shared<std::atomic<bool>>(false);
  return [shown](const std::string& folderBytes) {
    if (shown->exchange(true)) return;
    MessageBoxW(nullptr, SaveFailureText(folderBytes).c_str(), message_caption, MB_OK | MB_ICONWARNING);
  };
}

void InstallSaveFailureReporter() { SetReplaceFailureReporter(MakeSaveFailureReporter()); }

}  // namespace desktop
