// The grid's commands: selecting, clicking, entering a typed value as a
// value or a candidate toggle, the key mapping, and the services they reach
// the game through.

#include "game/commands/GridCommands.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "game/CommandHistory.h"
#include "game/commands/ExecuteCommand.h"
#include "game/commands/Services.h"
#include "tests/support/RecordingGame.h"

namespace {

using gamecommands::GridCellClick;
using gamecommands::KeyToValueIndex;
using gamecommands::kNoValueIndex;
using gamecommands::Services;
using gamecommands::SetSelected;
using gamecommands::SetUserOrCandidateValue;

class GridGame : public RecordingGame {
 public:
  bool valueMode = true;
  std::uint32_t current = 4;
  std::uint16_t candidates = 0;  // of the current cell
  int value = -1;                // of the current cell

  void SetCurrentCell(std::uint32_t i) override {
    calls.push_back("SetCurrentCell " + std::to_string(i));
    current = i;
  }
  void ClickCurrentCell() override { calls.push_back("ClickCurrentCell"); }
  bool IsValueInputMode() override { return valueMode; }
  std::uint32_t GetCurrentCell() override { return current; }
  int GetCellValue(std::uint32_t) override { return value; }
  void SetCellValue(std::uint32_t i, std::uint8_t v) override {
    calls.push_back("SetCellValue " + std::to_string(i) + " " + std::to_string(v));
    value = v;
  }
  bool HasCandidate(std::uint32_t, std::uint32_t v) override { return (candidates >> v) & 1u; }
  void SetCandidate(std::uint32_t i, std::uint32_t v, bool on) override {
    calls.push_back("SetCandidate " + std::to_string(i) + " " + std::to_string(v) + (on ? " on" : " off"));
    candidates = on ? std::uint16_t(candidates | (1u << v)) : std::uint16_t(candidates & ~(1u << v));
  }
};

class GridCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    history = &CommandHistory::Create();
    game = std::make_shared<GridGame>();
    Services::InstallCurrentGame([this] { return game; });
  }
  void TearDown() override {
    Services::Reset();
    CommandHistory::Destroy();
  }
  static void Run(gamecommands::Base* command) {
    gamecommands::ExecuteCommand(std::shared_ptr<gamecommands::Base>(command));
  }

  CommandHistory* history = nullptr;
  std::shared_ptr<GridGame> game;
};

TEST(KeyToValueIndex, DigitAndLetterModes) {
  struct Case {
    char key;
    bool digits;
    std::uint32_t expected;
  };
  const Case cases[] = {
      {'1', true, 0},
      {'9', true, 8},
      {'A', true, 9},
      {'G', true, 15},
      {'a', true, 9},
      {'g', true, 15},
      {'0', true, kNoValueIndex},
      {'H', true, kNoValueIndex},
      {'h', true, kNoValueIndex},
      {'A', false, 0},
      {'P', false, 15},
      {'a', false, 0},
      {'f', false, 5},
      {'g', false, kNoValueIndex},
      {'G', false, 6},
      {'1', false, kNoValueIndex},
      {'Q', false, kNoValueIndex},
      {0, false, kNoValueIndex},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(1, c.key) + (c.digits ? " digits" : " letters"));
    EXPECT_EQ(KeyToValueIndex(static_cast<unsigned char>(c.key), c.digits), c.expected);
  }
}

TEST_F(GridCommandsTest, SelectingAndClickingRefreshAndAreNeverRecorded) {
  Run(new SetSelected(40));
  Run(new GridCellClick());
  EXPECT_EQ(game->calls,
            (std::vector<std::string>{"SetCurrentCell 40", "UpdateHighlights", "LayoutKeypads", "ClickCurrentCell"}));
  EXPECT_FALSE(history->CanUndo());
}

TEST_F(GridCommandsTest, AValueInValueModeIsSetAndRecordedOnce) {
  Run(new SetUserOrCandidateValue(6));
  EXPECT_EQ(game->value, 6);
  EXPECT_TRUE(history->CanUndo());
  history->PopUndo();
  EXPECT_FALSE(history->CanUndo());
  // The same value again changes nothing and records nothing.
  game->calls.clear();
  Run(new SetUserOrCandidateValue(6));
  EXPECT_FALSE(history->CanUndo());
}

TEST_F(GridCommandsTest, InCandidateModeEachKeyTogglesAndTheKeypadsFollow) {
  game->valueMode = false;
  Run(new SetUserOrCandidateValue(2));
  Run(new SetUserOrCandidateValue(2));
  std::vector<std::string> toggles;
  for (const std::string& c : game->calls)
    if (c.rfind("SetCandidate", 0) == 0 || c == "LayoutKeypads") toggles.push_back(c);
  EXPECT_EQ(toggles, (std::vector<std::string>{"SetCandidate 4 2 on", "LayoutKeypads", "SetCandidate 4 2 off",
                                               "LayoutKeypads"}));
  EXPECT_EQ(game->calls.back(), "LayoutKeypads");
  // Two records, undone one at a time.
  history->PopUndo()->Undo();
  EXPECT_EQ(game->candidates, 0x4);
  history->PopUndo()->Undo();
  EXPECT_EQ(game->candidates, 0);
  EXPECT_FALSE(history->CanUndo());
}

TEST_F(GridCommandsTest, WithoutAGameNothingRunsAndNothingIsRecorded) {
  Services::InstallCurrentGame(nullptr);
  Run(new SetSelected(3));
  Run(new GridCellClick());
  Run(new SetUserOrCandidateValue(1));
  Services::InstallCurrentGame([] { return std::shared_ptr<GameBase>(); });
  Run(new SetUserOrCandidateValue(1));
  EXPECT_TRUE(game->calls.empty());
  EXPECT_FALSE(history->CanUndo());
}

TEST_F(GridCommandsTest, TheGameIsHeldWhileACommandRuns) {
  // The application drops its game while the command runs (a new game
  // started from within); the command's copy keeps it alive to the end.
  std::weak_ptr<GridGame> watched = game;
  struct Dropping : GridGame {
    std::function<void()> drop;
    void UpdateHighlights() override { drop(); }
  };
  auto dropping = std::make_shared<Dropping>();
  bool aliveAfterDrop = false;
  dropping->drop = [&] {
    game.reset();
    aliveAfterDrop = !watched.expired();
  };
  game = dropping;
  watched = dropping;
  dropping.reset();
  Run(new SetSelected(7));
  EXPECT_TRUE(aliveAfterDrop);
  EXPECT_TRUE(watched.expired());
}

TEST(Services, DefaultsAndSolvedReport) {
  Services::Reset();
  EXPECT_EQ(Services::CurrentGame(), nullptr);
  EXPECT_FALSE(Services::AutoPencilMarks());
  Services::InstallAutoPencilMarks([] { return true; });
  EXPECT_TRUE(Services::AutoPencilMarks());

  struct Solvable : RecordingGame {
    int marked = 0;
    void MarkSolved() override { ++marked; }
  } game;
  Services::ReportSolved(game);
  EXPECT_EQ(game.marked, 1);
  int reports = 0;
  Services::InstallSolvedReport([&](GameBase&) { ++reports; });
  Services::ReportSolved(game);
  EXPECT_EQ(reports, 1);
  EXPECT_EQ(game.marked, 1);
  Services::Reset();
  EXPECT_FALSE(Services::AutoPencilMarks());
}

}  // namespace
