// The whole handheld program run headless on a 240 x 320 device: the first
// start with no settings folder, the language step, the first puzzle, a
// move and its undo through the player's input on the scaled layout, the
// close box, and the saved files in "settings/" beside the program.
#include "tests/handheld/headless_handheld.h"

#include "app/Paths.h"
#include "app/Users.h"
#include "base/SmallFile.h"
#include "forms/common/Application.h"
#include "forms/common/ApplyItemConfig.h"
#include "forms/gameobject/Game.h"
#include "forms/tabbar/TabCommands.h"
#include "game/grid/GridCell.h"
#include "notus/ownerdraw/installed_functions.h"
#include "notus/ownerdraw/main_window.h"
#include "platform/handheld/program_host.h"
#include "startup/RunApplication.h"
#include "tests/support/DialogScript.h"
#include "tests/support/ScopedInstalls.h"
#include "tests/support/folders.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>

namespace handheld_test {
namespace {

using forms_test::DialogScript;
using notus::impl::details::app;

constexpr int kLanguageForm = 23;
constexpr int kLanguageOk = 3;
constexpr int kGameForm = 16;
constexpr int kUndoButton = 3;

Application& TheApplication() { return *Application::Instance(); }
Game<3>& NineByNine() { return dynamic_cast<Game<3>&>(*TheApplication().game); }
const grid::GridCell<3>& CellOf(std::uint32_t index) { return NineByNine().gridView().model().cells[index]; }

std::string Read(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class HandheldRun : public ::testing::Test {
 protected:
  void SetUp() override {
    // Settings beside the program, as the handheld keeps them: here the
    // test program's folder, with no "settings/" in it yet.
    unsetenv("TAVLIN_SETTINGS_DIR");
    ClearPathCache();
    beside = std::filesystem::path(NativePath(ModuleDirectory())) / "settings";
    std::filesystem::remove_all(beside);
    setenv("TAVLIN_HANDHELD_SCREEN", "240x320", 1);
    // The device's reporter of a failed save, taken back afterwards.
    installed.Install(&SetReplaceFailureReporter);
    handheld::PrepareDevice();
    host = std::make_unique<HeadlessHandheld>(1'000'000, SIZE{240, 320});
    // What start-up installs for the lower layers, taken back afterwards.
    installed.Install(&app::set_loop_entry_hook);
    installed.Install(&winapi::headless::SetIdleHook);
    installed.Install(&notus::mainwindow::set_tab_bar_factory);
    installed.Install(&notus::mainwindow::set_deferred_form_builder);
    installed.Install(&notus::ownerdraw::set_help_dialog_runner);
  }
  void TearDown() override {
    installed.RestoreAll();
    host.reset();
    unsetenv("TAVLIN_HANDHELD_SCREEN");
    UseSettingsFolderBesideProgram(false);
    ClearPathCache();
    std::filesystem::remove_all(beside);
  }

  // The centre of a cell of the 9x9 grid as the player clicks it.
  void ClickCell(std::uint32_t index) const {
    const auto r = forms::window_ops::rect(NineByNine().gridView().display().handle());
    const int side = (r.right - r.left) / 9;
    winapi::headless::InjectClick(host->main(), r.left + static_cast<int>(index % 9) * side + side / 2,
                                  r.top + static_cast<int>(index / 9) * side + side / 2);
  }

  // A message loop that goes idle is a script that missed an answer, save
  // the splash's wait after the language step, which lets the clock run on.
  static void FailALoopThatWaitsForNothing(const DialogScript& script) {
    winapi::headless::SetIdleHook([&script] {
      if (script.Answered() == 1 && Application::Instance() != nullptr) return false;
      ADD_FAILURE() << "a message loop waits for input that its answer did not give";
      PostQuitMessage(0);
      return true;
    });
  }

  grid_test::Folders folders{{"resources.dat", "glyphs.dat", "titular_digits.dat"}};
  std::filesystem::path beside;
  std::unique_ptr<HeadlessHandheld> host;
  test_support::ScopedInstalls installed;
};

TEST_F(HandheldRun, PlaysAMoveUndoesItAndSavesInTheSettingsFolderBesideTheProgram) {
  const HWND main = host->main();
  DialogScript script(main);
  script.Answer().Click(kLanguageForm, kLanguageOk);
  std::uint32_t cell = 0;
  DialogScript::Steps& game = script.Answer();
  game.Then().Do([&] {
    RECT client{};
    GetClientRect(main, &client);
    EXPECT_EQ(client.right, 240);
    EXPECT_EQ(client.bottom, 320);
    const auto grid = forms::window_ops::rect(NineByNine().gridView().display().handle());
    EXPECT_LE(grid.right, 240) << "the grid is laid out for the device's screen";
    for (cell = 0; cell < 81 && CellOf(cell).given != 0; ++cell) {
    }
    ASSERT_LT(cell, 81u);
    EXPECT_TRUE(winapi::device::KeepsDisplayAwake()) << "a game is on screen";
    ClickCell(cell);
  });
  game.Then().Do([&] { ClickCell(cell); });
  game.Then().Do([&] {
    const int key = '1' + CellOf(cell).solution;
    winapi::headless::InjectKey(main, key, true);
    winapi::headless::InjectKey(main, key, false);
  });
  game.Then().Do([&] { EXPECT_EQ(TheApplication().game->GetCellValue(cell), CellOf(cell).solution) << "the move"; });
  game.Click(kGameForm, kUndoButton).Then().Do([&] {
    EXPECT_EQ(TheApplication().game->GetCellValue(cell), -1) << "undone";
  });
  game.Close();

  FailALoopThatWaitsForNothing(script);
  EXPECT_EQ(RunApplication(handheld::Host()), 0);
  EXPECT_TRUE(script.Done());
  EXPECT_EQ(Application::Instance(), nullptr);

  EXPECT_EQ(SettingsDirectory(), ModuleDirectory() + L"settings/");
  EXPECT_FALSE(Read(beside / "users.txt").empty());
  EXPECT_FALSE(Read(beside / "UserData0.txt").empty());
  const std::string saved = Read(beside / "current_game.xml");
  EXPECT_NE(saved.find("<grid"), std::string::npos) << "the game in progress";
  std::size_t empty = 0;
  for (std::size_t at = 0; (at = saved.find("user_value=\"-1\"", at)) != std::string::npos; ++at) ++empty;
  EXPECT_EQ(empty, 81u) << "its one move undone";
  EXPECT_FALSE(winapi::device::KeepsDisplayAwake()) << "the game is gone";
  EXPECT_EQ(winapi::device::RegistryDword(winapi::device::kPowerTimeoutsKey, L"ACSuspendTimeout"),
            winapi::device::kDeviceAcSuspendTimeout);
}

// Asks for the screen saver as the SDL backend does, and stands for a
// display that is gone by then: the first time the device lets the display
// sleep again (the game form going at shutdown), it runs what a lost
// display runs, SaveRunningSession, before the program would end, and notes
// what the settings folder holds at that moment.
class LostAtTheScreenSaver : public winapi::device::DeviceShell {
 public:
  explicit LostAtTheScreenSaver(std::filesystem::path folder) : m_folder(std::move(folder)) {}
  void Raise(HWND) override {}
  void SetFullScreen(HWND, bool) override {}
  void SetTextInput(bool) override {}
  void KeepDisplayAwake(bool awake) override {
    if (awake || lost) return;
    lost = true;
    SaveRunningSession();
    game = Read(m_folder / "current_game.xml");
    options = Read(m_folder / "UserSettings0.xml");
  }

  bool lost = false;
  std::string game;
  std::string options;

 private:
  std::filesystem::path m_folder;
};

// A logout takes the display away while the program closes: the options and
// the game are on disk before the shutdown first touches the display.
TEST_F(HandheldRun, TheShutdownSavesBeforeItTouchesTheDisplay) {
  const HWND main = host->main();
  LostAtTheScreenSaver shell(beside);
  winapi::device::DeviceShell* const previous = winapi::device::InstallDeviceShell(&shell);
  DialogScript script(main);
  script.Answer().Click(kLanguageForm, kLanguageOk);
  std::uint32_t cell = 0;
  int value = 0;
  script.Answer()
      .Then()
      .Do([&] {
        while (CellOf(cell).given != 0) ++cell;
        value = CellOf(cell).solution;
        TheApplication().game->SetCellValue(cell, static_cast<std::uint8_t>(value));
        TheApplication().options.showGuideLines = true;
      })
      .Close();
  FailALoopThatWaitsForNothing(script);
  EXPECT_EQ(RunApplication(handheld::Host()), 0);
  winapi::device::InstallDeviceShell(previous);
  EXPECT_TRUE(script.Done());

  ASSERT_TRUE(shell.lost) << "the game form never let the display sleep";
  EXPECT_NE(shell.options.find("showGuideLines value=\"true\""), std::string::npos) << shell.options;
  EXPECT_NE(shell.game.find("user_value=\"" + std::to_string(value) + "\""), std::string::npos)
      << "the game was not saved: " << shell.game;
  EXPECT_EQ(Read(beside / "current_game.xml"), shell.game) << "written once, before the display went";
}

// A save that fails is told, not passed over: in the player's language, in
// a box over the game's window, which fits the device's screen.
TEST_F(HandheldRun, AFailedSaveIsToldOverTheGameInThePlayersLanguage) {
  // A player who plays in German, and a game file that cannot be replaced.
  std::filesystem::create_directories(beside / "current_game.xml");
  data_objects::users users;
  AddUser(users, L"Player 1");
  std::ofstream(beside / "users.txt", std::ios::binary) << SerializeUsers(users);
  std::ofstream(beside / "UserSettings0.xml", std::ios::binary)
      << "<root version=\"1\"><options><language value=\"de\" /></options><statistics /></root>";
  const HWND main = host->main();
  DialogScript script(main);
  script.Answer().Click(kLanguageForm, kLanguageOk);
  script.Answer().Close();
  FailALoopThatWaitsForNothing(script);
  EXPECT_EQ(RunApplication(handheld::Host()), 0);
  EXPECT_TRUE(script.Done());

  const auto& boxes = winapi::headless::MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u) << "one box for the run";
  EXPECT_EQ(boxes[0].text, L"Tavlin konnte seine Dateien in " + SettingsDirectory() + L" nicht speichern.");
  EXPECT_EQ(boxes[0].owner, main);
  EXPECT_NE(Read(beside / "UserSettings0.xml").find("<language value=\"de\""), std::string::npos)
      << "the options are saved all the same";
}

}  // namespace
}  // namespace handheld_test
