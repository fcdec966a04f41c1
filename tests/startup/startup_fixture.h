// The host of the start-up tests: a fresh headless layer with the desktop
// host's main window and window procedure, as the program's entry leaves
// them before it calls RunApplication (the root window controller current,
// text-entry controls reporting to the main window), and private settings
// and resources folders holding the source tree's resource file and glyphs.
// No paint timer runs: on the settable clock a blocking read would jump to
// it for ever, and nothing here needs pixels.  What start-up installs for
// the lower layers is uninstalled again afterwards.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "forms/tabbar/TabCommands.h"
#include "notus/ownerdraw/installed_functions.h"
#include "notus/ownerdraw/main_window.h"
#include "notus/platform/ownerdrawWin32/app.h"
#include "notus/platform/ownerdrawWin32/invalid_rect.h"
#include "notus/platform/ownerdrawWin32/native_control.h"
#include "notus/platform/ownerdrawWin32/virtual_window_controller.h"
#include "platform/win32/Application/app_entry.h"
#include "platform/win32/Application/desktop_resources.h"
#include "tests/forms_grid/folders.h"
#include "tests/support/HeadlessDesktop.h"
#include "winapi/headless/headless.h"

namespace startup_test {

using notus::impl::details::app;
using notus::impl::details::virtual_window_controller;

inline constexpr DWORD kStartTicks = 1'000'000;

class StartupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    desktop = std::make_unique<test_support::HeadlessDesktop>(kStartTicks);
    main = desktop->main();
  }
  void TearDown() override {
    app::set_loop_entry_hook(nullptr);
    winapi::headless::SetIdleHook(nullptr);
    notus::mainwindow::set_tab_bar_factory(nullptr);
    notus::mainwindow::set_deferred_form_builder(nullptr);
    notus::ownerdraw::set_help_dialog_runner(nullptr);
    desktop.reset();
  }

  std::filesystem::path Settings(const std::string& name) const { return folders.root / "settings" / name; }
  std::string ReadSettings(const std::string& name) const {
    std::ifstream in(Settings(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  void WriteSettings(const std::string& name, const std::string& bytes) const {
    std::ofstream(Settings(name), std::ios::binary) << bytes;
  }

  grid_test::Folders folders{{"resources.dat", "glyphs.dat"}};
  std::unique_ptr<test_support::HeadlessDesktop> desktop;
  HWND main = nullptr;
};

}  // namespace startup_test
