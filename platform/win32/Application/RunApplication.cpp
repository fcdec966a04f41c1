// The program's run: the window shows "Loading..." (drawn into the back
// buffer as well, so the paint timer's copies keep it) until the player
// closes it.
#include "platform/win32/Application/RunApplication.h"

#include "notus/platform/ownerdrawWin32/app.h"
#include "notus/platform/ownerdrawWin32/device.h"

int RunApplication() {
  using notus::impl::details::app;
  if (app::instance().back_buffer()) {
    auto device = notus::gdi::device<notus::traits>::create_for_dc(nullptr, nullptr, 0, 0);
    device->draw_text(L"Loading...", notus::gdi::device_rect(10, 10, 100, 30), DT_TOP);
  }
  app::run_message_loop();
  return 0;
}
