// The handheld program as its entry leaves it before start-up runs, on a
// fresh headless layer and device: the root window controller, the main
// window made by the host's InitInstance at the emulated screen's size with
// the host's procedure, and the soft keyboard hooked to text-entry controls.
// The instance lock is scoped to this object, so that a handheld the
// player runs meanwhile is never raised by a test.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>

#include "notus/platform/ownerdrawWin32/app.h"
#include "notus/platform/ownerdrawWin32/invalid_rect.h"
#include "notus/platform/ownerdrawWin32/native_control.h"
#include "notus/platform/ownerdrawWin32/virtual_window_controller.h"
#include "platform/handheld/handheld_entry.h"
#include "tests/support/ScopedInstalls.h"
#include "winapi/device.h"
#include "winapi/headless/headless.h"

#include <unistd.h>

namespace handheld_test {

class HeadlessHandheld {
 public:
  // scope: the instance lock's, empty for one of this object's own.
  HeadlessHandheld(DWORD startTicks, SIZE screen, std::wstring scope = {}) {
    using notus::impl::details::app;
    winapi::headless::Reset();
    app::instance().release();
    notus::impl::details::clear_invalid_rect();
    winapi::headless::SetTickCount(startTicks);
    winapi::device::SetEmulatedScreen(screen);
    if (scope.empty()) scope = L"handheld-test-" + std::to_wstring(getpid());
    winapi::device::SetInstanceScope(scope);
    m_root = std::make_unique<notus::impl::details::virtual_window_controller>();
    if (!InitInstance(nullptr, SW_SHOW)) throw std::runtime_error("no main window");
    m_main = app::instance().main_window();
    m_installed.Install(&notus::impl::details::set_native_control_procedure, &MainWindowProc);
    m_installed.Install(&notus::impl::details::set_native_edit_hooks);
    handheld::InstallSoftKeyboard();
  }
  ~HeadlessHandheld() {
    m_root.reset();
    m_installed.RestoreAll();
    notus::impl::details::app::instance().release();
    notus::impl::details::clear_invalid_rect();
    winapi::headless::Reset();
  }
  HeadlessHandheld(const HeadlessHandheld&) = delete;
  HeadlessHandheld& operator=(const HeadlessHandheld&) = delete;

  HWND main() const noexcept { return m_main; }
  notus::impl::details::virtual_window_controller* root() const noexcept { return m_root.get(); }

 private:
  std::unique_ptr<notus::impl::details::virtual_window_controller> m_root;
  HWND m_main = nullptr;
  test_support::ScopedInstalls m_installed;
};

}  // namespace handheld_test
