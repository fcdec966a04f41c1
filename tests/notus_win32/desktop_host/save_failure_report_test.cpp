// The reporter of failed saves that both programs install: one message box
// per run, naming the folder, however many saves fail, in the loaded
// language.

#include "desktop_fixture.h"

#include "app/ResourceManager.h"
#include "base/SmallFile.h"
#include "platform/host/save_failure_report.h"
#include "winapi/message_box.h"

#include <stdlib.h>

#include <filesystem>
#include <string>
#include <utility>

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
  host::InstallSaveFailureReporter();
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
  host::InstallSaveFailureReporter();
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
  host::InstallSaveFailureReporter();
  EXPECT_FALSE(ReplaceFileAtomically(missing + "users.txt", "bytes"));
  EXPECT_EQ(winapi::headless::MessageBoxes().size(), 1u);
}

// Where the resource file was read, the box speaks its language.
TEST_F(SaveFailureReport, SpeaksTheLoadedLanguage) {
  const std::string missing = folder.string() + "/missing/";
  const std::wstring shown = folder.wstring() + L"/missing/";
  const std::pair<const wchar_t*, std::wstring> cases[] = {
      {L"de", L"Tavlin konnte seine Dateien in " + shown + L" nicht speichern."},
      {L"en", L"Tavlin could not save its files in " + shown + L"."},
  };
  for (const auto& [language, text] : cases) {
    SCOPED_TRACE(text);
    ASSERT_TRUE(LoadResourceStrings((folder / "cached_resources.dat").wstring(),
                                    TAVLIN_SOURCE_RESOURCES L"/resources.dat", language, 480, 640));
    const std::size_t before = winapi::headless::MessageBoxes().size();
    host::InstallSaveFailureReporter();
    EXPECT_FALSE(ReplaceFileAtomically(missing + "current_game.xml", "bytes"));
    ASSERT_EQ(winapi::headless::MessageBoxes().size(), before + 1);
    EXPECT_EQ(winapi::headless::MessageBoxes().back().text, text);
  }
  ResourceManager::Clear();
  winapi::SetMessageBoxTexts({});
}

}  // namespace
}  // namespace desktop_test
