#include "platform/win32/Application/app_entry.h"
#include "startup/RunApplication.h"

#include "notus/platform/ownerdrawWin32/app.h"
#include "notus/platform/ownerdrawWin32/native_control.h"
#include "notus/platform/ownerdrawWin32/paint_timer.h"
#include "svg/number_conversion.h"

#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace desktop {

namespace {

// Our exception texts are plain ASCII; each byte becomes one character.
std::wstring widen(const char* text) {
  std::wstring wide;
  for (const char* c = text; c && *c; ++c) wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(*c)));
  return wide;
}

double text_to_double(const char* text) { return std::atof(text); }

}  // namespace

void ShowFatalError(const std::wstring& text) { MessageBoxW(nullptr, text.c_str(), message_caption, MB_ICONERROR); }

}  // namespace desktop

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, char*, int show_command) {
  using notus::impl::details::app;

  agg::svg::string_to_double = &desktop::text_to_double;
  app::instance().set_module_instance(instance);
  InitCommonControls();
  // Native text-entry controls send their messages through the main
  // window's procedure, which hands them to their window objects.
  notus::impl::details::set_native_control_procedure(&MainWindowProc);

  if (!InitInstance(instance, show_command)) return 0;
  const HWND main_window = app::instance().main_window();
  SetTimer(main_window, desktop::paint_timer_id, desktop::paint_timer_period_ms, &notus::impl::details::PaintTimerProc);

  // Whatever escapes the run ends it: the message is shown and the
  // shutdown steps that had not run yet are skipped.
  try {
    RunApplication();
  } catch (const std::logic_error& error) {
    // std::out_of_range and std::invalid_argument among them: a missing
    // layout item, a failed conversion.
    desktop::ShowFatalError(desktop::widen(error.what()));
  } catch (const char* text) {
    // A thrown string literal is a const char*; a char* lands here too.
    desktop::ShowFatalError(desktop::widen(text));
  } catch (...) {
    desktop::ShowFatalError(L"Not enough memory or unknown error!");
  }

  KillTimer(main_window, desktop::paint_timer_id);
  return 0;
}
