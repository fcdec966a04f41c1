#include "platform/handheld/handheld_entry.h"
#include "platform/handheld/program_host.h"
#include "platform/host/host_common.h"
#include "platform/host/save_failure_report.h"
#include "startup/RunApplication.h"

#include "app/Paths.h"
#include "base/PathBytes.h"
#include "notus/platform/ownerdrawWin32/app.h"
#include "notus/platform/ownerdrawWin32/native_control.h"
#include "winapi/device.h"
#include "winapi/path_prompt.h"

#include <cstdlib>
#include <ctime>
#include <optional>

namespace handheld {

namespace {

// The soft keyboard shows while a text-entry control exists.
void soft_keyboard_on() { SipShowIM(SIPF_ON); }
void soft_keyboard_off() { SipShowIM(SIPF_OFF); }

// The settings folder as Paths will make it, worked out without making it.
std::wstring settings_folder_name() {
  if (const char* chosen = std::getenv("TAVLIN_SETTINGS_DIR"); chosen != nullptr && *chosen != '\0') {
    std::wstring folder = PathFromBytes(chosen);
    if (folder.back() != L'/') folder += L'/';
    return folder;
  }
  return ModuleDirectory() + L"settings/";
}

}  // namespace

void InstallSoftKeyboard() { notus::impl::details::set_native_edit_hooks({&soft_keyboard_on, &soft_keyboard_off}); }

void PrepareDevice() {
  UseSettingsFolderBesideProgram(true);
  std::optional<SIZE> screen = winapi::device::ScreenFromEnvironment(std::getenv("TAVLIN_HANDHELD_SCREEN"));
  if (!screen)
    screen = winapi::device::WindowForASmallMonitor({GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
  winapi::device::SetEmulatedScreen(screen);
  winapi::device::SetInstanceScope(settings_folder_name());
  // A chooser program of the system would cover the small screen and speak
  // the system's language: the game's own prompt fits and speaks the game's.
  winapi::UseOwnFilePrompt(true);
  // A save that fails would otherwise lose the player's game without a word.
  host::InstallSaveFailureReporter();
}

}  // namespace handheld

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, char*, int show_command) {
  using notus::impl::details::app;

  // The real time: the layer's tick count starts at 0 with the program, so
  // seeding from it would deal the same puzzles at every start.
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  app::instance().set_module_instance(instance);
  InitCommonControls();

  // A second start that raised the running one has done its job; one
  // without a window has failed.
  if (!InitInstance(instance, show_command)) return handheld::RaisedRunningInstance() ? EXIT_SUCCESS : EXIT_FAILURE;
  // Native text-entry controls send their messages through the main
  // window's procedure, which hands them to their window objects.
  notus::impl::details::set_native_control_procedure(&MainWindowProc);
  handheld::InstallSoftKeyboard();
  const HWND main_window = app::instance().main_window();
  SetTimer(main_window, handheld::paint_timer_id, handheld::paint_timer_period_ms, &PaintTimerProc);

  const bool ran = host::RunShowingErrors([] { RunApplication(handheld::Host()); });

  KillTimer(main_window, handheld::paint_timer_id);
  return ran ? EXIT_SUCCESS : EXIT_FAILURE;
}
