// The solved-puzzle report: the game's steps and the statistics recorded
// before the dialog, what the dialog says; and the dialog services
// that start-up installs for the game commands.
#include <algorithm>
#include <cstdint>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/SessionMemory.h"
#include "forms/dialogs/DialogServices.h"
#include "forms/dialogs/GameSolvedCommand.h"
#include "forms/gameobject/Game.h"
#include "game/commands/PuzzleCommands.h"
#include "tests/support/RecordingGame.h"
#include "tests/support/dialogs_fixture.h"

namespace dialogs_test {
namespace {

using stats = std::vector<StatisticRecord>;

// Box size, level and clock as a test sets them; notes the calls the
// report makes.
class SolvedGame : public RecordingGame {
 public:
  SolvedGame(std::uint32_t boxSize, std::uint32_t level, std::uint32_t seconds)
      : boxSize(boxSize), level(level), seconds(seconds) {}

  void MarkSolved() override { calls.push_back("MarkSolved"); }
  void Activate(bool repaintNow) override { calls.push_back(repaintNow ? "Activate(true)" : "Activate(false)"); }
  std::uint32_t GetBoxSize() override { return boxSize; }
  std::uint32_t GetDifficulty() override { return level; }
  std::uint32_t GetElapsedSeconds() override {
    calls.push_back("GetElapsedSeconds");
    return seconds;
  }
  bool SolveTable(CProgressCallback*) override { return solvable; }
  // A grid its values cannot complete holds a value the solution has not.
  bool HasWrongValues() override { return !solvable; }

  std::uint32_t boxSize;
  std::uint32_t level;
  std::uint32_t seconds;
  bool solvable = true;
};

class GameSolvedCommandTest : public DialogsTest {
 protected:
  void SetUp() override {
    DialogsTest::SetUp();
    SessionMemory::Clear();
    // A real game's clock and keypads draw glyphs.
    app::load_glyph_document(std::filesystem::path(TAVLIN_SOURCE_RESOURCES "/glyphs.dat").wstring());
  }
  void TearDown() override {
    state->game.reset();
    SessionMemory::Clear();
    DialogsTest::TearDown();
  }
};

struct SolveCase {
  const char* name;
  std::uint32_t boxSize;
  std::uint32_t level;
  stats before;
  std::vector<std::uint32_t> seconds;  // one solve each
  stats after;
};

TEST_F(GameSolvedCommandTest, EachSolveCountsInTheRecordOfItsLevelAndSize) {
  const StatisticRecord easy9{1, 1, 500, 5, 50, 150, 100};
  const StatisticRecord medium4{2, 0, 90, 3, 20, 40, 30};
  const StatisticRecord medium16{2, 2, 3000, 2, 1000, 2000, 1500};
  const SolveCase cases[] = {
      {"first solve", 3, 2, {}, {37}, {{2, 1, 37, 1, 37, 37, 37}}},
      {"100 s then 51 s", 3, 1, {}, {100, 51}, {{1, 1, 151, 2, 51, 100, 75}}},
      {"0 s then 30 s", 3, 1, {}, {0, 30}, {{1, 1, 30, 2, 30, 30, 15}}},
      {"4x4", 2, 3, {}, {20}, {{3, 0, 20, 1, 20, 20, 20}}},
      {"16x16", 4, 3, {}, {900}, {{3, 2, 900, 1, 900, 900, 900}}},
      {"a new pair after the others",
       3,
       2,
       {easy9, medium4, medium16},
       {40},
       {easy9, medium4, medium16, {2, 1, 40, 1, 40, 40, 40}}},
      {"a stored pair in its place",
       3,
       1,
       {medium4, easy9, medium16},
       {70},
       {medium4, {1, 1, 570, 6, 50, 150, 95}, medium16}},
  };
  for (const SolveCase& c : cases) {
    SCOPED_TRACE(c.name);
    state->statistics = c.before;
    for (std::uint32_t seconds : c.seconds) {
      state->game = std::make_shared<SolvedGame>(c.boxSize, c.level, seconds);
      DialogScript script(main);
      script.Answer().Key(VK_RETURN);
      GameSolved_Command().Execute();
      EXPECT_TRUE(script.Done());
    }
    EXPECT_EQ(state->statistics, c.after);
  }
}

// The clock stops and the keypads go, the time is read and the solve
// counted, all before the dialog opens; the dialog says so.
TEST_F(GameSolvedCommandTest, TheGameStopsAndTheSolveCountsThenTheDialogCongratulates) {
  auto game = std::make_shared<SolvedGame>(3, 2, 61);
  state->game = game;
  strings shown;
  stats duringDialog{{9, 9, 9, 9, 9, 9, 9}};
  state->statistics = duringDialog;
  DialogScript script(main);
  script.Answer()
      .Do([&] {
        game->calls.push_back("dialog");
        shown = PaintedTexts();
        duringDialog = state->statistics;
      })
      .Click(25, 2);
  GameSolved_Command().Execute();
  EXPECT_TRUE(script.Done());
  EXPECT_EQ(game->calls, strings({"MarkSolved", "HideKeypads", "Activate(true)", "GetElapsedSeconds", "dialog"}));
  EXPECT_TRUE(Shows(shown, "Puzzle solved"));
  EXPECT_TRUE(Shows(shown, "Congratulations! You have solved the puzzle."));
  EXPECT_TRUE(Shows(shown, "OK"));
  EXPECT_EQ(duringDialog, stats({{9, 9, 9, 9, 9, 9, 9}, {2, 1, 61, 1, 61, 61, 61}}));
  EXPECT_EQ(state->statistics, duringDialog);
}

// A real game's clock: however long the dialog stays open, and however it
// is closed, the solve counts with the time played before it.
TEST_F(GameSolvedCommandTest, TheDialogsTimeIsNotCountedHoweverItCloses) {
  const std::pair<const char*, std::function<void(DialogScript::Steps&)>> endings[] = {
      {"OK clicked", [](auto& s) { s.Click(25, 2); }},
      {"Return", [](auto& s) { s.Key(VK_RETURN); }},
      {"close box", [](auto& s) { s.Close(); }},
  };
  for (const auto& [name, end] : endings) {
    SCOPED_TRACE(name);
    state->statistics.clear();
    auto game = std::make_shared<Game<3>>(2, nullptr);
    state->game = game;
    game->Activate(false);
    winapi::headless::AdvanceTickCount(42'000);
    DialogScript script(main);
    end(script.Answer().Do([] { winapi::headless::AdvanceTickCount(600'000); }));
    GameSolved_Command().Execute();
    EXPECT_TRUE(script.Done());
    EXPECT_TRUE(game->IsAlreadySolved());
    EXPECT_EQ(state->statistics, stats({{2, 1, 42, 1, 42, 42, 42}}));
    // The main window's close ended only the dialog: nothing is left queued
    // to end another loop.
    EXPECT_FALSE(Settle());
    state->game.reset();
  }
}

// The solve is in the player's file while the congratulation is still up:
// the game is saved as solved from then on, so a kill or a lost display
// before the dialog closes must not lose the solve.  The data file is
// carried along.
TEST_F(GameSolvedCommandTest, TheSolveIsInThePlayersFileWhileTheDialogIsUp) {
  WritePlayers({L"Ann", L"Bob"}, L"Bob");
  std::ofstream(NativePath(UserDataFileName(1)), std::ios::binary) << std::string(500, '\x05');
  state->options = OptionsOfPlayer(1);
  state->statistics = StatisticsOfPlayer(1);
  state->player = Application::HeldPlayer{1, L"Bob", {}};
  state->game = std::make_shared<SolvedGame>(4, 5, 1200);
  UserSettings stored(L"");
  bool loaded = false;
  DialogScript script(main);
  script.Answer().Do([&] { loaded = LoadUserSettings(stored, 1); }).Key(VK_RETURN);
  GameSolved_Command().Execute();
  ASSERT_TRUE(script.Done());

  ASSERT_TRUE(loaded);
  EXPECT_EQ(stored.statistics, state->statistics);
  EXPECT_EQ(stored.statistics.back(), (StatisticRecord{5, 2, 1200, 1, 1200, 1200, 1200}));
  EXPECT_EQ(stored.options, OptionsOfPlayer(1));
  EXPECT_EQ(Bytes(UserDataFileName(1)), std::string(500, '\x05'));
  UserSettings ann(L"");
  ASSERT_TRUE(LoadUserSettings(ann, 0));
  EXPECT_EQ(ann.statistics, StatisticsOfPlayer(0)) << "nobody else's file";
}

// The game is solved whether or not it can be told so.
TEST_F(GameSolvedCommandTest, WithoutFormTwentyFiveTheSolveStillCounts) {
  LoadLayoutsWithout(25, 3);
  state->game = std::make_shared<SolvedGame>(3, 1, 10);
  DialogScript script(main);
  EXPECT_THROW(GameSolved_Command().Execute(), std::invalid_argument);
  EXPECT_EQ(script.Answered(), 0u);
  EXPECT_EQ(state->statistics, stats({{1, 1, 10, 1, 10, 10, 10}}));
}

// The grid check, through the OK dialog that start-up installs: its title,
// and the message by the outcome.
TEST_F(GameSolvedCommandTest, TheInstalledOkDialogShowsTheGridCheck) {
  InstallDialogServices();
  auto game = std::make_shared<SolvedGame>(3, 1, 0);
  gamecommands::Services::InstallCurrentGame([game] { return game; });
  for (const bool solvable : {true, false}) {
    SCOPED_TRACE(solvable ? "solvable" : "mistakes");
    game->solvable = solvable;
    strings shown;
    DialogScript script(main);
    script.Answer().Do([&] { shown = PaintedTexts(); }).Key(VK_RETURN);
    gamecommands::CheckForCorrectGrid_Command().Execute();
    EXPECT_TRUE(script.Done());
    const std::string told = solvable ? "No mistakes so far." : "The grid contains mistakes.";
    const std::string notTold = solvable ? "The grid contains mistakes." : "No mistakes so far.";
    EXPECT_TRUE(Shows(shown, "Check grid"));
    EXPECT_TRUE(Shows(shown, told));
    EXPECT_FALSE(Shows(shown, notTold));
    Settle();
  }
}

// The installed solved report runs for the application's game only; any
// other game is just marked solved.
TEST_F(GameSolvedCommandTest, TheInstalledReportCountsOnlyTheApplicationsGame) {
  InstallDialogServices();
  auto current = std::make_shared<SolvedGame>(3, 1, 30);
  state->game = current;
  SolvedGame other(3, 1, 45);
  {
    DialogScript script(main);
    gamecommands::Services::ReportSolved(other);
    EXPECT_EQ(script.Answered(), 0u);
  }
  EXPECT_EQ(other.calls, strings({"MarkSolved"}));
  EXPECT_TRUE(state->statistics.empty());
  {
    DialogScript script(main);
    script.Answer().Key(VK_RETURN);
    gamecommands::Services::ReportSolved(*current);
    EXPECT_TRUE(script.Done());
  }
  EXPECT_EQ(state->statistics, stats({{1, 1, 30, 1, 30, 30, 30}}));
}

}  // namespace
}  // namespace dialogs_test
