// The program's run: the splash (or, without resources, "Loading..." drawn
// into the back buffer, so the paint timer's copies keep it) until the player
// closes the window.
#include "platform/win32/Application/RunApplication.h"

#include "app/ResourceManager.h"
#include "notus/platform/ownerdrawWin32/app.h"
#include "notus/platform/ownerdrawWin32/device.h"
#include "platform/win32/Application/ShowSplashLogo.h"

namespace {

constexpr int kScreenWidth = 480;
constexpr int kScreenHeight = 640;

// The splash needs the layouts and a main window of the screen's size, as
// start-up has them by the time it shows the splash.
bool ShowSplash() {
  if (!LoadResources(L"en", kScreenWidth, kScreenHeight)) return false;
  const HWND window = notus::impl::details::app::instance().main_window();
  MoveWindow(window, (GetSystemMetrics(SM_CXSCREEN) - kScreenWidth) / 2,
             (GetSystemMetrics(SM_CYSCREEN) - kScreenHeight) / 2, kScreenWidth, kScreenHeight, FALSE);
  ShowSplashLogo();
  return true;
}

}  // namespace

int RunApplication() {
  using notus::impl::details::app;
  if (!ShowSplash() && app::instance().back_buffer()) {
    auto device = notus::gdi::device<notus::traits>::create_for_dc(nullptr, nullptr, 0, 0);
    device->draw_text(L"Loading...", notus::gdi::device_rect(10, 10, 100, 30), DT_TOP);
  }
  app::run_message_loop();
  return 0;
}
