// The hosts of the start-up, form and dialog tests.
//
// DesktopHostTest: a fresh headless layer with the desktop host's main
// window and window procedure, as the program's entry leaves them before it
// calls RunApplication (the root window controller current, text-entry
// controls reporting to the main window), and private settings and
// resources folders holding the named files of the source tree's resources.
// What a test installs through `installed` is taken back before the main
// window goes.
//
// FormsTest adds the English layouts and strings of a 480 x 640 screen and
// the application state with its main frame view (which sizes the main
// window to 480 x 640).  The deferred-form builder runs the application's
// pending form command, as start-up sets it.  A test installs its tab-bar
// factory (or the real one) before SetUp builds the frame by overriding
// InstallFunctions.
//
// StartupTest holds the glyphs too.  No paint timer runs: on the settable
// clock a blocking read would jump to it for ever, and nothing there needs
// pixels.  What start-up installs for the lower layers is uninstalled again
// afterwards.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "app/ResourceManager.h"
#include "forms/common/Application.h"
#include "forms/tabbar/TabCommands.h"
#include "notus/ownerdraw/installed_functions.h"
#include "notus/ownerdraw/main_window.h"
#include "notus/platform/ownerdrawWin32/app.h"
#include "notus/platform/ownerdrawWin32/invalid_rect.h"
#include "notus/platform/ownerdrawWin32/native_control.h"
#include "notus/platform/ownerdrawWin32/virtual_window_controller.h"
#include "notus/platform/ownerdrawWin32/virtual_window_impl.h"
#include "platform/win32/Application/app_entry.h"
#include "platform/win32/Application/desktop_resources.h"
#include "tests/support/HeadlessDesktop.h"
#include "tests/support/ScopedInstalls.h"
#include "tests/support/folders.h"
#include "winapi/headless/headless.h"

namespace forms_test {

using notus::impl::details::app;
using notus::impl::details::virtual_window_controller;

inline constexpr DWORD kStartTicks = 1'000'000;

class DesktopHostTest : public ::testing::Test {
 protected:
  explicit DesktopHostTest(const std::vector<std::string>& resources = {"resources.dat"}) : folders(resources) {}

  void SetUp() override {
    desktop = std::make_unique<test_support::HeadlessDesktop>(kStartTicks);
    main = desktop->main();
  }
  void TearDown() override {
    installed.RestoreAll();
    desktop.reset();
  }

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

  std::filesystem::path Settings(const std::string& name) const { return folders.root / "settings" / name; }
  std::string ReadSettings(const std::string& name) const {
    std::ifstream in(Settings(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  void WriteSettings(const std::string& name, const std::string& bytes) const {
    std::ofstream(Settings(name), std::ios::binary) << bytes;
  }

  grid_test::Folders folders;
  std::unique_ptr<test_support::HeadlessDesktop> desktop;
  HWND main = nullptr;
  test_support::ScopedInstalls installed;
};

class FormsTest : public DesktopHostTest {
 protected:
  void SetUp() override {
    DesktopHostTest::SetUp();
    ASSERT_TRUE(LoadResourceStrings(CachedResourcesFileName(), ResourcesFileName(), L"en", 480, 640));
    // What the frame, its dialogs and their loops may find installed is
    // what the test installs, and only while it runs.
    installed.Install(&notus::mainwindow::set_tab_bar_factory);
    installed.Install(&notus::ownerdraw::set_help_dialog_runner);
    installed.Install(&app::set_loop_entry_hook);
    InstallFunctions();
    installed.Install(&notus::mainwindow::set_deferred_form_builder, [] {
      if (Application* state = Application::Instance()) state->RunPendingFormCommand();
    });
    state = std::make_unique<Application>();
  }
  void TearDown() override {
    state.reset();
    DesktopHostTest::TearDown();
  }

  // Installs what start-up would before the frame exists; nothing here.
  virtual void InstallFunctions() {}

  std::unique_ptr<Application> state;
};

}  // namespace forms_test

namespace startup_test {

using forms_test::app;
using forms_test::kStartTicks;
using forms_test::virtual_window_controller;

class StartupTest : public forms_test::DesktopHostTest {
 protected:
  StartupTest() : DesktopHostTest({"resources.dat", "glyphs.dat", "titular_digits.dat"}) {}

  void SetUp() override {
    DesktopHostTest::SetUp();
    installed.Install(&app::set_loop_entry_hook);
    installed.Install(&winapi::headless::SetIdleHook);
    installed.Install(&notus::mainwindow::set_tab_bar_factory);
    installed.Install(&notus::mainwindow::set_deferred_form_builder);
    installed.Install(&notus::ownerdraw::set_help_dialog_runner);
  }
};

}  // namespace startup_test
