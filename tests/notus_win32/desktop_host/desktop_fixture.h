// A fresh layer, application object, string table and root controller for
// each test of the desktop entry; RunApplication runs whatever the test puts
// in run_application.
#pragma once

#include "notus/platform/ownerdrawWin32/app.h"
#include "notus/platform/ownerdrawWin32/invalid_rect.h"
#include "notus/platform/ownerdrawWin32/virtual_window_controller.h"
#include "platform/win32/Application/app_entry.h"
#include "platform/win32/Application/desktop_resources.h"
#include "tests/support/ScopedInstalls.h"
#include "winapi/headless/headless.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace desktop_test {

extern std::function<int()> run_application;

using notus::impl::details::app;
using notus::impl::details::virtual_window_controller;

class DesktopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    winapi::headless::Reset();
    app::instance().release();
    notus::impl::details::clear_invalid_rect();
    desktop::RegisterDesktopResources();
    root = std::make_unique<virtual_window_controller>();
    run_application = nullptr;
  }
  void TearDown() override {
    installed.RestoreAll();
    run_application = nullptr;
    root.reset();
    app::instance().release();
    notus::impl::details::clear_invalid_rect();
    winapi::headless::Reset();
  }

  std::unique_ptr<virtual_window_controller> root;
  test_support::ScopedInstalls installed;
};

}  // namespace desktop_test
