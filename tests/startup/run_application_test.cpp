// The whole program run headless, from an empty settings folder to the saved
// game and back: the first run's files, the language step, the first puzzle,
// moves and undo through the player's input, the close box, the restart that
// restores the game, a solve counted in the statistics, and the starts that
// must survive damaged or stale settings.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/UserSettings.h"
#include "app/Users.h"
#include "forms/application/SavedGameCommands.h"
#include "forms/common/Application.h"
#include "forms/common/ApplyItemConfig.h"
#include "forms/gameobject/Game.h"
#include "forms/progress/GenerateGridCommand.h"
#include "game/grid/GridCell.h"
#include "notus/platform/ownerdrawWin32/winobj_virtual_window.h"
#include "platform/win32/Application/program_host.h"
#include "startup/RunApplication.h"
#include "tests/support/DialogScript.h"
#include "tests/support/FormsHost.h"
#include "winapi/close_signals.h"

namespace startup_test {
namespace {

using forms_test::DialogScript;
using Steps = DialogScript::Steps;

// The language dialog's OK and the solved dialog's OK.
constexpr int kLanguageForm = 23;
constexpr int kLanguageOk = 3;
constexpr int kOkForm = 25;
constexpr int kOkButton = 2;
// The game form's Undo button.
constexpr int kGameForm = 16;
constexpr int kUndoButton = 3;

Application& TheApplication() { return *Application::Instance(); }
Game<3>& NineByNine() { return dynamic_cast<Game<3>&>(*TheApplication().game); }
const grid::GridCell<3>& CellOf(std::uint32_t index) { return NineByNine().gridView().model().cells[index]; }

// The player's values of the 81 cells, -1 for an empty one; and the clues.
std::vector<int> UserValues() {
  std::vector<int> values;
  for (std::uint32_t i = 0; i < 81; ++i) values.push_back(TheApplication().game->GetCellValue(i));
  return values;
}

// The cells the player may fill, in grid order.
std::vector<std::uint32_t> OpenCells() {
  std::vector<std::uint32_t> open;
  for (std::uint32_t i = 0; i < 81; ++i)
    if (CellOf(i).given == 0) open.push_back(i);
  return open;
}

// The 9x9 game as the player plays it: a click in the middle of a cell of
// the grid, then its digit key (values are 0-based, keys '1' to '9').  The
// click also opens the value keypad over the grid with the focus on one of
// its buttons, which take no digits; a second click on the cell closes it
// and leaves the focus on the grid, which takes them.
class Player {
 public:
  // The main window is made after the player: it is read at each input.
  explicit Player(const HWND& main) : m_main(main) {}

  void ClickCell(std::uint32_t index) const {
    const auto r = forms::window_ops::rect(NineByNine().gridView().display().handle());
    const int side = (r.right - r.left) / 9;
    winapi::headless::InjectClick(m_main, r.left + static_cast<int>(index % 9) * side + side / 2,
                                  r.top + static_cast<int>(index / 9) * side + side / 2);
  }
  // Clicks the cell twice; once the clicks are handled, types the value.
  Steps& Enter(Steps& steps, std::function<std::uint32_t()> cell, std::function<int()> value) const {
    return steps.Do([this, cell] { ClickCell(cell()); })
        .Then()
        .Do([this, cell] { ClickCell(cell()); })
        .Then()
        .Do([this, value] {
          const int key = '1' + value();
          winapi::headless::InjectKey(m_main, key, true);
          winapi::headless::InjectKey(m_main, key, false);
        });
  }
  Steps& ControlZ(Steps& steps) const {
    return steps.Do([this] { winapi::headless::InjectKey(m_main, VK_CONTROL, true); }).Key('Z').Do([this] {
      winapi::headless::InjectKey(m_main, VK_CONTROL, false);
    });
  }

 private:
  const HWND& m_main;
};

class RunApplicationTest : public StartupTest {
 protected:
  // Runs the program with the script's answers, the main loop's among them
  // (it is loop 1 like any start-up dialog's).  The splash's wait, which
  // comes after loopsBeforeMain dialogs, may run dry: the clock then jumps to
  // its end.  With closeWhenDone, a queue that runs dry once every answer is
  // taken is the player pressing the close box (a dialog that ends with a
  // quit cannot post one for the loop outside it); any other dry queue
  // fails the run.
  int Run(DialogScript& script, std::size_t loopsBeforeMain, bool closeWhenDone = false) {
    winapi::headless::SetIdleHook([this, &script, loopsBeforeMain, closeWhenDone] {
      if (script.Answered() == loopsBeforeMain && Application::Instance() != nullptr) return false;
      if (closeWhenDone && script.Done()) {
        PostMessageW(main, WM_CLOSE, 0, 0);
        return true;
      }
      ADD_FAILURE() << "a message loop waits for input that its answer did not give";
      PostQuitMessage(0);
      return true;
    });
    const int result = RunApplication(desktop::Host());
    EXPECT_TRUE(script.Done()) << "answers left: a dialog did not come";
    EXPECT_EQ(Application::Instance(), nullptr);
    EXPECT_EQ(virtual_window_controller::current(), desktop->root());
    return result;
  }

  UserSettings StoredSettings(int id) const {
    UserSettings settings(L"");
    EXPECT_TRUE(LoadUserSettings(settings, id));
    return settings;
  }

  Player player{main};
};

std::string Utf16Le(const std::string& ascii) {
  std::string bytes;
  for (char c : ascii) bytes += {c, '\0'};
  return bytes;
}

TEST_F(RunApplicationTest, AFirstRunPlaysAndSavesANewPuzzleAndTheNextRunRestoresIt) {
  std::vector<int> played;
  std::string grid;
  {
    DialogScript script(main);
    script.Answer().Click(kLanguageForm, kLanguageOk);
    std::vector<std::uint32_t> open;
    Steps& game = script.Answer();
    // The deferred build of the game form comes before the first input.
    game.Then().Do([&] {
      EXPECT_EQ(TheApplication().game->GetBoxSize(), 3u);
      EXPECT_EQ(TheApplication().game->GetDifficulty(), 1u);
      open = OpenCells();
      ASSERT_GE(open.size(), 3u);
      ASSERT_LE(open.size(), 81u - 17u) << "a generated puzzle has clues";
      EXPECT_TRUE(NineByNine().gridView().display().handle().get()->visible()) << "the game form shows the game";
    });
    const auto solutionOf = [&](std::size_t n) {
      return [&, n] { return static_cast<int>(CellOf(open[n]).solution); };
    };
    const auto cell = [&](std::size_t n) { return [&, n] { return open[n]; }; };
    player.Enter(game, cell(0), solutionOf(0)).Then();
    player.Enter(game, cell(1), solutionOf(1)).Then();
    game.Do([&] {
      EXPECT_EQ(TheApplication().game->GetCellValue(open[1]), CellOf(open[1]).solution) << "the second move";
    });
    game.Click(kGameForm, kUndoButton).Then();
    player.Enter(game, cell(2), solutionOf(2)).Then();
    game.Do([&] { EXPECT_EQ(TheApplication().game->GetCellValue(open[2]), CellOf(open[2]).solution); });
    player.ControlZ(game).Then().Do([&] {
      EXPECT_EQ(TheApplication().game->GetCellValue(open[0]), CellOf(open[0]).solution) << "the first move stays";
      EXPECT_EQ(TheApplication().game->GetCellValue(open[1]), -1) << "undone by the button";
      EXPECT_EQ(TheApplication().game->GetCellValue(open[2]), -1) << "undone by Control+Z";
      played = UserValues();
      grid = TheApplication().game->GetGridString();
    });
    game.Close();
    EXPECT_EQ(Run(script, 1), 0);
    EXPECT_EQ(script.Answered(), 2u) << "the language step once, then the main loop";
  }

  EXPECT_EQ(ReadSettings("users.txt"), "1\n0\n8\n" + Utf16Le("Player 1") + "\n0");
  const UserSettings stored = StoredSettings(0);
  EXPECT_EQ(stored.options, Options{});
  EXPECT_TRUE(stored.statistics.empty());
  EXPECT_EQ(ReadSettings("UserData0.txt"), std::string(500, '\0'));
  ASSERT_EQ(std::count(played.begin(), played.end(), -1), 80) << "one value played";

  // The restart: no language step, no new puzzle, the cells as they were;
  // then the player finishes the puzzle and the solve is counted.
  DialogScript script(main);
  Steps& game = script.Answer();
  std::uint32_t last = 0;
  game.Then().Do([&] {
    EXPECT_EQ(TheApplication().game->GetGridString(), grid);
    EXPECT_EQ(UserValues(), played);
    // Everything but the last open cell, as if typed long ago.
    const std::vector<std::uint32_t> open = OpenCells();
    last = open.back();
    for (std::uint32_t i : open)
      if (i != last) TheApplication().game->SetCellValue(i, CellOf(i).solution);
  });
  player.Enter(
      game, [&] { return last; }, [&] { return static_cast<int>(CellOf(last).solution); });
  script.Answer().Click(kOkForm, kOkButton);  // "Puzzle solved"
  EXPECT_EQ(Run(script, 0, true), 0);

  const UserSettings solved = StoredSettings(0);
  ASSERT_EQ(solved.statistics.size(), 1u);
  EXPECT_EQ(solved.statistics[0].difficulty, 1);
  EXPECT_EQ(solved.statistics[0].dimantion, 1);
  EXPECT_EQ(solved.statistics[0].solved_puzzles, 1u);
}

// A program killed (or its power cut) while the congratulation is up ends
// with the settings folder as it is then.  The solved game is on disk by
// then, with the solve in the statistics, so the restart shows the solved
// game, and typing its last value again counts nothing.  A game saved with
// its last cell empty would count the solve a second time.
TEST_F(RunApplicationTest, AGameKilledDuringTheCongratulationComesBackSolvedAndCountsOnce) {
  ASSERT_TRUE(folders.LoadLayouts());  // no language step
  const std::string puzzle = "530070000600195000098000060800060003400803001700020006060000280000419005000080079";
  const std::string solution = "534678912672195348198342567859761423426853791713924856961537284287419635345286179";
  const std::uint32_t last = 78;  // the last open cell
  ASSERT_EQ(puzzle[last], '0');
  {
    // Saved by an earlier session: every value but the last one typed.
    Application earlier;
    earlier.SeGameSize(3, 1);
    earlier.game->SetGridFromString(puzzle);
    for (std::uint32_t i = 0; i < 81; ++i)
      if (puzzle[i] == '0' && i != last) earlier.game->SetCellValue(i, static_cast<std::uint8_t>(solution[i] - '1'));
    SerializeGameXMLCommand().Execute();
  }
  ResourceManager::Clear();

  std::string gameAtKill;
  std::string settingsAtKill;
  {
    DialogScript script(main);
    player.Enter(
        script.Answer().Then(), [&] { return last; }, [&] { return solution[last] - '1'; });
    script
        .Answer()  // "Puzzle solved"
        .Do([&] {
          gameAtKill = ReadSettings("current_game.xml");
          settingsAtKill = ReadSettings("UserSettings0.xml");
        })
        .Click(kOkForm, kOkButton);
    EXPECT_EQ(Run(script, 0, true), 0);
  }
  EXPECT_NE(gameAtKill.find("game_already_solved=\"true\""), std::string::npos);
  EXPECT_TRUE(gameAtKill == ReadSettings("current_game.xml")) << "not the game shutdown writes";
  EXPECT_TRUE(settingsAtKill == ReadSettings("UserSettings0.xml")) << "not the settings shutdown writes";

  WriteSettings("current_game.xml", gameAtKill);
  WriteSettings("UserSettings0.xml", settingsAtKill);
  DialogScript script(main);
  Steps& restarted = script.Answer();
  restarted.Then().Do([] {
    EXPECT_TRUE(TheApplication().game->IsAlreadySolved());
    EXPECT_EQ(TheApplication().game->CountFilledCells(), 81u);
  });
  player.Enter(
      restarted, [&] { return last; }, [&] { return solution[last] - '1'; });
  EXPECT_EQ(Run(script, 0, true), 0);

  const UserSettings stored = StoredSettings(0);
  ASSERT_EQ(stored.statistics.size(), 1u);
  EXPECT_EQ(stored.statistics[0].solved_puzzles, 1u);
}

// The main loop is left by an exception (a fault in some handler): the
// options and the game of the session are saved all the same, and the
// exception still reaches the host.
TEST_F(RunApplicationTest, AnExceptionLeavingTheMainLoopStillSavesTheGame) {
  DialogScript script(main);
  script.Answer().Click(kLanguageForm, kLanguageOk);
  std::uint32_t cell = 0;
  int value = 0;
  script.Answer().Then().Do([&] {
    cell = OpenCells().front();
    value = CellOf(cell).solution;
    TheApplication().game->SetCellValue(cell, static_cast<std::uint8_t>(value));
    TheApplication().options.showGuideLines = true;
    throw std::runtime_error("a handler failed");
  });
  // The splash's wait is the only one.
  winapi::headless::SetIdleHook([&script] {
    EXPECT_EQ(script.Answered(), 1u);
    return false;
  });
  EXPECT_THROW(RunApplication(desktop::Host()), std::runtime_error);
  EXPECT_EQ(Application::Instance(), nullptr);

  EXPECT_TRUE(StoredSettings(0).options.showGuideLines);
  const std::string saved = ReadSettings("current_game.xml");
  EXPECT_NE(saved.find("user_value=\"" + std::to_string(value) + "\""), std::string::npos) << saved;
}

// Settings that would have stopped every start: a current player id that
// names no player, a language the resource file no longer has, and a saved
// game that cannot be read.  The run goes on with the first player, English
// and a new puzzle, and the corrections are saved.
TEST_F(RunApplicationTest, StaleOrDamagedSettingsFallBackAndAreCorrected) {
  ASSERT_TRUE(folders.LoadLayouts());  // writes the cached copy: no language step
  ResourceManager::Clear();
  data_objects::users users;
  AddUser(users, L"Ann");
  AddUser(users, L"Bob");
  users.currentId = 7;
  WriteSettings("users.txt", SerializeUsers(users));
  UserSettings bob(L"Bob");
  bob.options.language = L"xx";
  bob.options.flagMistakes = false;
  ASSERT_TRUE(SaveUserSettings(bob, 0));  // Ann's id
  WriteSettings("current_game.xml", "<grid size=\"3\" difficulty=\"2\"><row><cell");

  DialogScript script(main);
  script.Answer()
      .Then()
      .Do([] {
        EXPECT_EQ(TheApplication().options.language, L"en");
        EXPECT_FALSE(TheApplication().options.flagMistakes) << "the first player's own settings";
        EXPECT_EQ(ResourceManager::GetItemConfig(kOkForm, kOkButton).text, L"OK");
        EXPECT_EQ(TheApplication().game->GetDifficulty(), 1u) << "a new beginner puzzle";
        EXPECT_GE(TheApplication().game->CountFilledCells(), 17u);
      })
      .Close();
  EXPECT_EQ(Run(script, 0), 0);

  data_objects::users after = ParseUsers(ReadSettings("users.txt"));
  EXPECT_EQ(after.currentId, 0);
  EXPECT_EQ(after.players.size(), 2u);
  EXPECT_EQ(StoredSettings(0).options.language, L"en");
  EXPECT_NE(ReadSettings("current_game.xml").find("difficulty=\"1\""), std::string::npos);
}

// The close box during the splash ends the program: the wait takes the
// quit, and posts it again for the main loop.
TEST_F(RunApplicationTest, AClosedWindowDuringTheSplashEndsTheRun) {
  ASSERT_TRUE(folders.LoadLayouts());
  ResourceManager::Clear();
  DialogScript script(main);
  script.Answer();  // the main loop: no input of the player's
  bool closed = false;
  winapi::headless::SetIdleHook([&] {
    if (closed) {
      ADD_FAILURE() << "the main loop waits for input";
      PostQuitMessage(0);
      return true;
    }
    closed = true;
    PostMessageW(main, WM_CLOSE, 0, 0);
    return true;
  });
  EXPECT_EQ(RunApplication(desktop::Host()), 0);
  EXPECT_TRUE(closed);
  EXPECT_TRUE(script.Done());
  EXPECT_EQ(GetTickCount(), kStartTicks) << "the splash was not waited out";
  EXPECT_FALSE(ReadSettings("current_game.xml").empty()) << "the new game is saved";
}

// A logout while the player waits for a new 16x16 Sorcerer puzzle: the
// request ends the generation, which is dropped, and the shutdown writes the
// game the player had, not a half-made one.
TEST_F(RunApplicationTest, ATerminationRequestWhileANewGameIsMadeKeepsThePlayersGame) {
  ASSERT_TRUE(folders.LoadLayouts());
  {
    Application earlier;
    earlier.SeGameSize(2, 2);
    earlier.game->SetGridFromString("1000000000000000");
    earlier.game->SetCellValue(5, 2);
    SerializeGameXMLCommand().Execute();
  }
  ResourceManager::Clear();
  const std::string saved = ReadSettings("current_game.xml");
  const std::string cells = saved.substr(saved.find("<row>"));
  ASSERT_NE(cells.find("user_value=\"2\""), std::string::npos) << saved;

  DialogScript script(main);
  script.Answer().Then().Do([] {
    ASSERT_EQ(TheApplication().game->GetBoxSize(), 2u) << "the saved game restored";
    winapi::EndEveryMessageLoop(0);
    GenerateGrid_Command(4, 5).Execute();
  });
  EXPECT_EQ(Run(script, 0), 0);

  const std::string after = ReadSettings("current_game.xml");
  EXPECT_TRUE(after.starts_with("<grid size=\"2\"")) << after.substr(0, 80);
  EXPECT_EQ(after.substr(after.find("<row>")), cells);
}

TEST_F(RunApplicationTest, ASecondApplicationIsRefusedBeforeAnythingOfItIsMade) {
  ASSERT_TRUE(folders.LoadLayouts());
  Application first;
  try {
    RunApplication(desktop::Host());
    ADD_FAILURE() << "no exception";
  } catch (const std::logic_error& error) {
    EXPECT_STREQ(error.what(), "Only one domain is possible.");
  }
  EXPECT_EQ(Application::Instance(), &first);
}

}  // namespace
}  // namespace startup_test
