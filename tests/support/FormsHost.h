// The host of the form and dialog tests: the real main window and its window
// procedure on the headless backend, a root window controller, private
// settings and resources folders holding the source tree's resource file,
// the English layouts and strings of a 480 x 640 screen, and the application
// state with its main frame view (which sizes the main window to 480 x 640).
// The deferred-form builder runs the application's pending form command, and
// text-entry controls report to the main window's procedure, as start-up
// sets them.
//
// A test installs its tab-bar factory (or the real one) before SetUp builds
// the frame by overriding InstallFunctions.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/ResourceManager.h"
#include "forms/common/Application.h"
#include "notus/ownerdraw/installed_functions.h"
#include "notus/ownerdraw/main_window.h"
#include "notus/platform/ownerdrawWin32/app.h"
#include "notus/platform/ownerdrawWin32/invalid_rect.h"
#include "notus/platform/ownerdrawWin32/native_control.h"
#include "notus/platform/ownerdrawWin32/virtual_window_controller.h"
#include "notus/platform/ownerdrawWin32/virtual_window_impl.h"
#include "platform/win32/Application/app_entry.h"
#include "platform/win32/Application/desktop_resources.h"
#include "tests/forms_grid/folders.h"
#include "tests/support/HeadlessDesktop.h"
#include "winapi/headless/headless.h"

namespace forms_test {

using notus::impl::details::app;
using notus::impl::details::virtual_window_controller;

inline constexpr DWORD kStartTicks = 1'000'000;

class FormsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    desktop = std::make_unique<test_support::HeadlessDesktop>(kStartTicks);
    main = desktop->main();
    ASSERT_TRUE(LoadResourceStrings(CachedResourcesFileName(), ResourcesFileName(), L"en", 480, 640));
    InstallFunctions();
    notus::mainwindow::set_deferred_form_builder([] {
      if (Application* state = Application::Instance()) state->RunPendingFormCommand();
    });
    state = std::make_unique<Application>();
  }
  void TearDown() override {
    state.reset();
    notus::mainwindow::set_tab_bar_factory(nullptr);
    notus::mainwindow::set_deferred_form_builder(nullptr);
    notus::ownerdraw::set_help_dialog_runner(nullptr);
    app::set_loop_entry_hook(nullptr);
    desktop.reset();
  }

  // Installs what start-up would before the frame exists; nothing here.
  virtual void InstallFunctions() {}

  // Handles every queued message, then paints what is invalid into the
  // back buffer.  True when a WM_QUIT was among them (it is consumed).
  bool Settle() {
    bool quit = false;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) quit = app::pump_message() || quit;
    SendMessageW(main, notus::impl::message_paint_now, 0, 0);
    return quit;
  }

  // What the main window shows.
  winapi::Image Shot() const { return winapi::headless::Capture(main); }

  grid_test::Folders folders{{"resources.dat"}};
  std::unique_ptr<test_support::HeadlessDesktop> desktop;
  HWND main = nullptr;
  std::unique_ptr<Application> state;
};

}  // namespace forms_test
