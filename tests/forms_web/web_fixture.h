#pragma once
// The web tests' host: the forms host (real main window, window procedure
// and resource file, private folders) with the web variables cleared before
// and after each test, a test server's address to point them at, and the
// settings folder's files at hand.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "tests/app_web/test_http_server.h"
#include "tests/support/FormsHost.h"

namespace web_test {

using forms_test::app;
using notus::impl::details::virtual_window_controller;

class WebFormsTest : public forms_test::FormsTest {
 protected:
  void SetUp() override {
    unsetenv("TAVLIN_WEB_HOST");
    unsetenv("TAVLIN_WEB_LINK");
    FormsTest::SetUp();
    installed.Install(&winapi::headless::SetIdleHook);
  }
  void TearDown() override {
    FormsTest::TearDown();
    unsetenv("TAVLIN_WEB_HOST");
    unsetenv("TAVLIN_WEB_LINK");
  }

  std::filesystem::path Settings() const { return folders.root / "settings"; }
  void WriteSetting(const std::string& name, const std::string& text) const {
    std::ofstream(Settings() / name, std::ios::binary | std::ios::trunc) << text;
  }
  std::optional<std::string> ReadSetting(const std::string& name) const {
    std::ifstream in(Settings() / name, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

  // Standard cursor ids (32512 the arrow, 32649 the hand): the one of the
  // main window's class, and the one the backend was last told to show.
  unsigned ClassCursor() const {
    return winapi::StandardCursorId(reinterpret_cast<HCURSOR>(GetClassLongPtrW(main, GCLP_HCURSOR)));
  }
  unsigned ShownCursor() const { return winapi::StandardCursorId(winapi::headless::WindowCursor(main)); }
};

}  // namespace web_test
