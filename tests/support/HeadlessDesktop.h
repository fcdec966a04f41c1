// The desktop program as its entry leaves it before start-up runs, on a
// fresh headless layer: the host's window class and strings, the root
// window controller, the main window with its real window procedure, and
// text-entry controls reporting to that procedure.  Destroying it tears all
// of it down again, so the next test starts from nothing.
#pragma once

#include <memory>
#include <stdexcept>

#include "notus/platform/ownerdrawWin32/app.h"
#include "notus/platform/ownerdrawWin32/invalid_rect.h"
#include "notus/platform/ownerdrawWin32/native_control.h"
#include "notus/platform/ownerdrawWin32/virtual_window_controller.h"
#include "platform/win32/Application/app_entry.h"
#include "platform/win32/Application/desktop_resources.h"
#include "tests/support/ScopedInstalls.h"
#include "winapi/headless/headless.h"

namespace test_support {

class HeadlessDesktop {
 public:
  // The tick count starts at startTicks.  Throws std::runtime_error when the
  // main window cannot be made.
  explicit HeadlessDesktop(DWORD startTicks) {
    using notus::impl::details::app;
    winapi::headless::Reset();
    app::instance().release();
    notus::impl::details::clear_invalid_rect();
    winapi::headless::SetTickCount(startTicks);
    desktop::RegisterDesktopResources();
    m_root = std::make_unique<notus::impl::details::virtual_window_controller>();
    if (!InitInstance(nullptr, SW_SHOW)) throw std::runtime_error("no main window");
    m_main = app::instance().main_window();
    m_installed.Install(&notus::impl::details::set_native_control_procedure, &MainWindowProc);
  }
  ~HeadlessDesktop() {
    m_root.reset();
    m_installed.RestoreAll();
    notus::impl::details::app::instance().release();
    notus::impl::details::clear_invalid_rect();
    winapi::headless::Reset();
  }
  HeadlessDesktop(const HeadlessDesktop&) = delete;
  HeadlessDesktop& operator=(const HeadlessDesktop&) = delete;

  HWND main() const noexcept { return m_main; }
  notus::impl::details::virtual_window_controller* root() const noexcept { return m_root.get(); }

 private:
  std::unique_ptr<notus::impl::details::virtual_window_controller> m_root;
  HWND m_main = nullptr;
  test_support::ScopedInstalls m_installed;
};

}  // namespace test_support
