// The desktop program.  Building the root window controller here (its
// definition comes with the header) makes it current before WinMain runs.
#include "notus/platform/ownerdrawWin32/root_controller.h"
#include "platform/host/save_failure_report.h"
#include "platform/host/session_end.h"
#include "platform/win32/Application/app_entry.h"
#include "platform/win32/Application/desktop_resources.h"
#include "platform/win32/Application/program_display.h"

#include <cstdlib>
#include <ctime>

int main() {
  host::EndSessionsSoundly();
  if (!desktop::HaveDisplay()) return EXIT_FAILURE;
  desktop::RegisterDesktopResources();
  host::InstallSaveFailureReporter();
  // The puzzle generator draws from rand(); without a seed every first run
  // would deal the same puzzle.
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  const int result = WinMain(GetModuleHandleW(nullptr), nullptr, nullptr, SW_SHOWDEFAULT);
  desktop::CloseDisplay();
  return result;
}
