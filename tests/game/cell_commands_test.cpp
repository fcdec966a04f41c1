// The keypads' cell commands: what each does to the selected (or a given)
// cell, the refreshes around it, what is recorded, and undo and redo.

#include "game/commands/CellCommands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "game/CommandHistory.h"
#include "game/commands/ExecuteCommand.h"
#include "game/commands/Services.h"
#include "tests/support/RecordingGame.h"

namespace {

using gamecommands::ClearAllCandidates;
using gamecommands::RemoveFixedValue;
using gamecommands::Services;
using gamecommands::SetCanditateValue;
using gamecommands::SetFixedValue;

// A 9x9 game with the player's values and candidates of its cells, a
// snapshot for undo, and a solver that reports a full board when told to.
class CellGame : public RecordingGame {
 public:
  std::array<int, 81> user{};
  std::array<std::uint16_t, 81> candidates{};
  std::uint32_t current = 0;
  bool boardFull = false;
  bool solved = false;

  CellGame() { user.fill(-1); }

  std::uint32_t GetCurrentCell() override { return current; }
  int GetCellValue(std::uint32_t i) override { return user.at(i); }
  void SetCellValue(std::uint32_t i, std::uint8_t v) override {
    calls.push_back("SetCellValue " + std::to_string(i) + " " + std::to_string(v));
    user.at(i) = v;
  }
  void ClearCellValue(std::uint32_t i) override {
    calls.push_back("ClearCellValue " + std::to_string(i));
    user.at(i) = -1;
  }
  bool HasCandidate(std::uint32_t i, std::uint32_t v) override { return (candidates.at(i) >> v) & 1u; }
  void SetCandidate(std::uint32_t i, std::uint32_t v, bool on) override {
    calls.push_back("SetCandidate " + std::to_string(i) + " " + std::to_string(v) + (on ? " on" : " off"));
    if (on)
      candidates.at(i) |= std::uint16_t(1u << v);
    else
      candidates.at(i) &= std::uint16_t(~(1u << v));
  }
  std::uint16_t GetCandidates(std::uint32_t i) override { return candidates.at(i); }
  void SetCandidates(std::uint32_t i, std::uint16_t m) override { candidates.at(i) = m; }
  void ClearCandidates(std::uint32_t i) override {
    calls.push_back("ClearCandidates " + std::to_string(i));
    candidates.at(i) = 0;
  }
  void SaveCells() override {
    calls.push_back("SaveCells");
    savedUser = user;
  }
  void CollectChangedCells(std::vector<CellChange>& changes) override {
    for (std::uint32_t i = 0; i < 81; ++i)
      if (user[i] != savedUser[i]) {
        CellChange c{};
        c.cell = i;
        c.user = static_cast<std::int8_t>(savedUser[i]);
        changes.push_back(c);
      }
  }
  void RestoreCells(const std::vector<CellChange>& changes) override {
    calls.push_back("RestoreCells");
    for (const CellChange& c : changes) user.at(c.cell) = c.user;
  }
  void CopyCellsToSolver() override { calls.push_back("CopyCellsToSolver"); }
  void UpdateSolverCandidates() override { calls.push_back("UpdateSolverCandidates"); }
  void CopyCandidatesFromSolver() override { calls.push_back("CopyCandidatesFromSolver"); }
  std::uint32_t CountEmptySolverCells() override { return boardFull ? 0 : 5; }
  bool SolveTable(CProgressCallback*) override { return boardFull; }
  bool IsAlreadySolved() override { return solved; }
  void MarkSolved() override {
    calls.push_back("MarkSolved");
    solved = true;
  }

 private:
  std::array<int, 81> savedUser{};
};

class CellCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    game = std::make_shared<CellGame>();
    Services::InstallCurrentGame([this] { return game; });
    history = &CommandHistory::Create();
  }
  void TearDown() override {
    Services::Reset();
    CommandHistory::Destroy();
  }

  void Run(std::shared_ptr<gamecommands::Base> command) { gamecommands::ExecuteCommand(std::move(command)); }
  void UndoLast() { history->PopUndo()->Undo(); }
  void RedoNext() { history->NextRedo()->Execute(); }

  std::shared_ptr<CellGame> game;
  CommandHistory* history = nullptr;
};

TEST_F(CellCommands, CasesThatChangeNothingRecordNothing) {
  game->user[4] = 6;
  game->current = 4;
  struct Case {
    const char* name;
    std::shared_ptr<gamecommands::Base> command;
  } cases[] = {
      {"the value the cell holds", std::make_shared<SetFixedValue>(6)},
      {"removing from an empty cell", std::make_shared<RemoveFixedValue>(7)},
      {"clearing a cell without candidates", std::make_shared<ClearAllCandidates>()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_FALSE(c.command->Execute());
    Run(c.command);
    EXPECT_FALSE(history->CanUndo());
  }
  EXPECT_EQ(game->user[4], 6);

  // Without a game every command is inert.
  game->candidates[4] = 0b11;
  game->calls.clear();
  Services::InstallCurrentGame(nullptr);
  for (auto command : std::vector<std::shared_ptr<gamecommands::Base>>{
           std::make_shared<SetFixedValue>(2), std::make_shared<RemoveFixedValue>(),
           std::make_shared<SetCanditateValue>(0, false), std::make_shared<ClearAllCandidates>()}) {
    Run(command);
  }
  EXPECT_FALSE(history->CanUndo());
  EXPECT_EQ(game->user[4], 6);
  EXPECT_EQ(game->candidates[4], 0b11);
  EXPECT_TRUE(game->calls.empty());
}

TEST_F(CellCommands, SetFixedValueRefreshesInOrderAndUndoRedoKeepTheFirstCell) {
  game->current = 10;
  Run(std::make_shared<SetFixedValue>(gamecommands::kSelectedCell, 3));
  EXPECT_EQ(game->calls, (std::vector<std::string>{"SaveCells", "SetCellValue 10 3", "UpdateHighlights",
                                                   "LayoutKeypads", "ClearHint", "CopyCellsToSolver", "NotifyViews"}));
  ASSERT_TRUE(history->CanUndo());
  game->current = 20;  // the selection moves on; undo and redo stay on cell 10
  UndoLast();
  EXPECT_EQ(game->user[10], -1);
  RedoNext();
  EXPECT_EQ(game->user[10], 3);
  EXPECT_EQ(game->user[20], -1);

  // An explicit cell is used as it is.
  Run(std::make_shared<SetFixedValue>(30, 8));
  EXPECT_EQ(game->user[30], 8);
}

TEST_F(CellCommands, FillingTheBoardReportsSolvedOnceAndPencilMarksFollowTheOption) {
  game->boardFull = true;
  Run(std::make_shared<SetFixedValue>(0, 1));
  Run(std::make_shared<SetFixedValue>(0, 2));
  EXPECT_EQ(std::count(game->calls.begin(), game->calls.end(), "MarkSolved"), 1);
  EXPECT_EQ(std::count(game->calls.begin(), game->calls.end(), "UpdateSolverCandidates"), 0);

  int reports = 0;
  game->solved = false;
  Services::InstallSolvedReport([&](GameBase&) { ++reports; });
  Services::InstallAutoPencilMarks([] { return true; });
  game->calls.clear();
  Run(std::make_shared<SetFixedValue>(0, 5));
  EXPECT_EQ(reports, 1);
  EXPECT_EQ(std::count(game->calls.begin(), game->calls.end(), "MarkSolved"), 0);
  game->calls.clear();
  Run(std::make_shared<RemoveFixedValue>(0));
  EXPECT_EQ(game->calls, (std::vector<std::string>{"SaveCells", "ClearCellValue 0", "UpdateHighlights", "LayoutKeypads",
                                                   "ClearHint", "CopyCellsToSolver", "UpdateSolverCandidates",
                                                   "CopyCandidatesFromSolver", "NotifyViews"}));
  UndoLast();
  EXPECT_EQ(game->user[0], 5);
}

TEST_F(CellCommands, CandidateUndoRestoresTheBitTheFirstRunFound) {
  game->current = 7;
  game->candidates[7] = 0b100;
  // A stale keypad button asks to set a candidate that is already set.
  Run(std::make_shared<SetCanditateValue>(2, true));
  Run(std::make_shared<SetCanditateValue>(0, true));
  EXPECT_EQ(game->candidates[7], 0b101);
  UndoLast();
  EXPECT_EQ(game->candidates[7], 0b100);
  UndoLast();
  EXPECT_EQ(game->candidates[7], 0b100) << "undo of a set that changed nothing cleared the bit";
  RedoNext();
  RedoNext();
  EXPECT_EQ(game->candidates[7], 0b101);

  game->calls.clear();
  Run(std::make_shared<SetCanditateValue>(7, 0, false));
  EXPECT_EQ(game->calls, (std::vector<std::string>{"SetCandidate 7 0 off", "ClearHint", "NotifyViews"}));
  UndoLast();
  EXPECT_EQ(game->candidates[7], 0b101);
}

TEST_F(CellCommands, ClearAllCandidatesClearsOneCellAndUndoPutsTheSetBack) {
  game->current = 5;
  game->candidates[5] = 0b1011;
  game->candidates[6] = 0b1;
  Run(std::make_shared<ClearAllCandidates>());
  EXPECT_EQ(game->candidates[5], 0);
  EXPECT_EQ(game->candidates[6], 0b1);
  game->current = 6;
  UndoLast();
  EXPECT_EQ(game->candidates[5], 0b1011);
  RedoNext();
  EXPECT_EQ(game->candidates[5], 0);
  EXPECT_EQ(game->candidates[6], 0b1);
}

}  // namespace
