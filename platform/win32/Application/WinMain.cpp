#include "platform/host/host_common.h"
#include "platform/win32/Application/app_entry.h"
#include "platform/win32/Application/program_host.h"
#include "startup/RunApplication.h"

#include "notus/platform/ownerdrawWin32/app.h"
#include "notus/platform/ownerdrawWin32/native_control.h"
#include "notus/platform/ownerdrawWin32/paint_timer.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, char*, int show_command) {
  using notus::impl::details::app;

  app::instance().set_module_instance(instance);
  InitCommonControls();
  // Native text-entry controls send their messages through the main
  // window's procedure, which hands them to their window objects.
  notus::impl::details::set_native_control_procedure(&MainWindowProc);

  // Without its window the program cannot run; a caller must not take that
  // for a session that ended well.
  if (!InitInstance(instance, show_command)) return EXIT_FAILURE;
  const HWND main_window = app::instance().main_window();
  SetTimer(main_window, desktop::paint_timer_id, desktop::paint_timer_period_ms, &notus::impl::details::PaintTimerProc);

  // Whatever escapes the run ends it: the message is shown and the
  // shutdown steps that had not run yet are skipped.
  const bool ran = host::RunShowingErrors([] { RunApplication(desktop::Host()); });

  KillTimer(main_window, desktop::paint_timer_id);
  return ran ? EXIT_SUCCESS : EXIT_FAILURE;
}
