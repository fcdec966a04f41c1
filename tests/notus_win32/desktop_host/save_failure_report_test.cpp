// The desktop program's reporter of failed saves: one message box per run,
// naming the folder, however many saves fail.

#include "desktop_fixture.h"

#include "base/SmallFile.h"
#include "platform/win32/Application/save_failure_report.h"

#include <stdlib.h>

#include <filesystem>
#include <string>

namespace desktop_test {
namespace {

class SaveFailureReport : public DesktopTest {
 protected:
  void SetUp() override {
    DesktopTest::SetUp();
    // The tests install the program's reporter.
    installed.Install(&SetReplaceFailureReporter);
    std::string pattern = (std::filesystem::temp_directory_path() / "tavlin-report-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder = pattern;
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    DesktopTest::TearDown();
  }

  std::filesystem::path folder;
};

TEST_F(SaveFailureReport, OneBoxPerRunNamesTheFolder) {
  desktop::InstallSaveFailureReporter();
  ASSERT_TRUE(ReplaceFileAtomically(folder.string() + "/users.txt", "saved"));
  EXPECT_TRUE(winapi::headless::MessageBoxes().empty()) << "a save that works shows nothing";

  // The folder is missing, and its name is not UTF-8: every save fails.
  const std::string missing = folder.string() + "/j\xF6rg/";
  EXPECT_FALSE(ReplaceFileAtomically(missing + "users.txt", "bytes"));
  EXPECT_FALSE(ReplaceFileAtomically(missing + "UserSettings0.xml", "bytes"));
  EXPECT_FALSE(ReplaceFileAtomically(missing + "UserData0.txt", "bytes"));

  const auto& boxes = winapi::headless::MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, L"Tavlin could not save its files in " + folder.wstring() + L"/j\uFFFDrg/.");
  EXPECT_EQ(boxes[0].caption, L"Kestrel Mill");
  EXPECT_EQ(boxes[0].type, MB_OK | MB_ICONWARNING);

  // The next run tells again.
  desktop::InstallSaveFailureReporter();
  EXPECT_FALSE(ReplaceFileAtomically(missing + "users.txt", "bytes"));
  EXPECT_EQ(winapi::headless::MessageBoxes().size(), 2u);
}

// A save that fails while the box is up (its message loop runs timers) adds
// no second box.
TEST_F(SaveFailureReport, AFailureDuringTheBoxShowsNoOther) {
  const std::string missing = folder.string() + "/missing/";
  winapi::headless::SetMessageBoxHook([&](const winapi::headless::MessageBoxRecord&) {
    ReplaceFileAtomically(missing + "UserData0.txt", "bytes");
    return IDOK;
  });
  desktop::InstallSaveFailureReporter();
  EXPECT_FALSE(ReplaceFileAtomically(missing + "users.txt", "bytes"));
  EXPECT_EQ(winapi::headless::MessageBoxes().size(), 1u);
}

}  // namespace
}  // namespace desktop_test
