// The commands that work on the whole grid: the bulk commands of the options
// page, the two hint commands, the check of the grid and loading a puzzle,
// with undo and redo, and the auto pencil marks and solved report of
// SetFixedValue seen across a whole board.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/CHintInfo.h"
#include "engine/CSolutionCounter.h"
#include "engine/PatternId.h"
#include "game/CommandHistory.h"
#include "game/commands/BulkCommands.h"
#include "game/commands/CellCommands.h"
#include "game/commands/ExecuteCommand.h"
#include "game/commands/HintCommands.h"
#include "game/commands/PuzzleCommands.h"
#include "game/commands/Services.h"
#include "game/grid/GridModel.h"
#include "tests/support/RecordingGame.h"

namespace {

using gamecommands::Services;
using Model = grid::GridModel<2>;
constexpr std::uint32_t S = Model::S;

// The solution every board here is a part of (0-based values).
constexpr std::uint8_t kSolution[16] = {0, 1, 2, 3, 2, 3, 0, 1, 1, 0, 3, 2, 3, 2, 1, 0};

// A 4x4 game on a real grid model, with a snapshot for undo, a solver that
// eliminates the values of each cell's row, column and box, and a next
// logical step set by the test.
class ModelGame : public RecordingGame {
 public:
  Model model;
  bool solvable = true;
  bool solved = false;
  bool hasStep = false;
  CHintInfo step;
  // The bound of the solution counter, lowered to make a count undecided.
  std::uint32_t maxGuesses = CSolutionCounter<2>::kDefaultMaxGuesses;

  void ResetAllCells() override { model.ResetAllCells(); }
  void ClearAllCandidates() override { model.ClearAllCandidates(); }
  void FillAllCandidates() override { model.FillAllCandidates(); }
  void RemoveWrongValues() override { model.RemoveWrongValues(); }
  void ReplaceWrongValues() override { model.ReplaceWrongValues(); }
  void ClearAllUserValues() override { model.ClearAllUserValues(); }
  void FillSolution() override { model.FillSolution(); }
  bool IsSolutionKnown() override { return model.IsSolutionKnown(); }
  bool HasWrongValues() override { return model.HasWrongValues(); }
  SolutionCount::Result CountSolutions() override { return model.CountSolutions(maxGuesses); }
  SolutionCount::Result FillCountedSolution() override { return model.FillCountedSolution(maxGuesses); }
  void SetCellValue(std::uint32_t i, std::uint8_t v) override { model.cells.at(i).user = static_cast<std::int8_t>(v); }
  void ClearCellValue(std::uint32_t i) override { model.cells.at(i).user = -1; }
  int GetCellValue(std::uint32_t i) override { return model.cells.at(i).user; }
  std::uint32_t GetCurrentCell() override { return model.selected; }
  void SelectCell(std::uint32_t i) override {
    calls.push_back("SelectCell " + std::to_string(i));
    model.selected = i;
  }
  std::uint16_t GetCandidates(std::uint32_t i) override {
    return static_cast<std::uint16_t>(model.cells.at(i).candidates.to_ulong());
  }
  void SetCandidates(std::uint32_t i, std::uint16_t m) override { model.cells.at(i).candidates = m; }
  void SetGridFromBytes(std::span<const std::uint8_t> bytes) override { model.SetGridFromBytes(bytes); }

  void SaveCells() override { snapshot = model.cells; }
  void CollectChangedCells(std::vector<CellChange>& changes) override {
    for (std::uint32_t i = 0; i < Model::CellCount; ++i) {
      const grid::GridCell<2>& was = snapshot[i];
      if (!Same(was, model.cells[i]))
        changes.push_back(
            {was.given, was.solution, was.user, i, static_cast<std::uint16_t>(was.candidates.to_ulong())});
    }
  }
  void RestoreCells(const std::vector<CellChange>& changes) override {
    calls.push_back("RestoreCells");
    for (const CellChange& c : changes) {
      grid::GridCell<2>& cell = model.cells.at(c.cell);
      cell.given = c.given;
      cell.solution = c.solution;
      cell.user = c.user;
      cell.candidates = c.candidates;
    }
  }

  void CopyCellsToSolver() override { calls.push_back("CopyCellsToSolver"); }
  void ResetSolverCandidates() override {}
  void UpdateSolverCandidates() override {}
  // Each empty cell gets the values its row, column and box do not show.
  void CopyCandidatesFromSolver() override {
    for (std::uint32_t i = 0; i < Model::CellCount; ++i) {
      if (model.cells[i].ShownValue() != grid::kUnknownSolution) continue;
      std::uint16_t mask = 0xF;
      for (std::uint32_t j = 0; j < Model::CellCount; ++j) {
        const bool peer = i % S == j % S || i / S == j / S || (i % S / 2 == j % S / 2 && i / S / 2 == j / S / 2);
        const std::uint8_t shown = model.cells[j].ShownValue();
        if (peer && j != i && shown < S) mask &= static_cast<std::uint16_t>(~(1u << shown));
      }
      model.cells[i].candidates = mask;
    }
  }
  void CopySolutionFromSolver() override {
    for (std::uint32_t i = 0; i < Model::CellCount; ++i) model.cells[i].solution = kSolution[i];
  }
  bool SolveTable(CProgressCallback*) override {
    calls.push_back("SolveTable");
    return solvable;
  }
  std::uint32_t CountEmptySolverCells() override {
    return static_cast<std::uint32_t>(Model::CellCount - model.CountFilledCells());
  }
  bool IsAlreadySolved() override { return solved; }
  void MarkSolved() override { solved = true; }

  // A single fills its cell with the lowest value of item 0's mask.
  bool ApplyHint(CHintInfo& hint) override {
    if (!hasStep) return false;
    hint = step;
    const std::uint32_t id = step.GetPatternId();
    if (id == PatternId::kNakedSingle || id == PatternId::kHiddenSingle) {
      const HintItem& item = step.GetItem(0);
      model.cells.at(item.cell).user = static_cast<std::int8_t>(__builtin_ctz(item.mask));
    }
    return true;
  }
  bool FindHint(CHintInfo& hint) override {
    hint = step;
    return hasStep;
  }
  void ShowHint(const CHintInfo& hint) override { calls.push_back("ShowHint " + std::to_string(hint.GetPatternId())); }
  void ClearCellMarks() override { calls.push_back("ClearCellMarks"); }

  static bool Same(const grid::GridCell<2>& a, const grid::GridCell<2>& b) {
    return a.given == b.given && a.solution == b.solution && a.user == b.user && a.candidates == b.candidates;
  }
  bool SameCells(const std::vector<grid::GridCell<2>>& other) const {
    return std::equal(other.begin(), other.end(), model.cells.begin(), model.cells.end(), Same);
  }

 private:
  std::vector<grid::GridCell<2>> snapshot = std::vector<grid::GridCell<2>>(Model::CellCount);
};

// Clues on the diagonal, every solution known, no player's values.
void SetUpPuzzle(Model& model) {
  for (std::uint32_t i = 0; i < Model::CellCount; ++i) {
    model.cells[i] = grid::GridCell<2>{};
    model.cells[i].solution = kSolution[i];
  }
  for (std::uint32_t i : {0u, 5u, 10u, 15u}) model.cells[i].given = 1;
}

class PuzzleCommands : public ::testing::Test {
 protected:
  // Also run again inside a table test, for a fresh game per case.
  void SetUp() override {
    shown.clear();
    history = &CommandHistory::Create();
    game = std::make_shared<ModelGame>();
    SetUpPuzzle(game->model);
    Services::InstallCurrentGame([this] { return game; });
    Services::InstallHintDisplay([this](std::uint32_t text, std::uint32_t help) { shown.emplace_back(text, help); });
  }
  void TearDown() override {
    Services::Reset();
    CommandHistory::Destroy();
  }

  void Run(std::shared_ptr<gamecommands::Base> command) { gamecommands::ExecuteCommand(std::move(command)); }
  void UndoLast() { history->PopUndo()->Undo(); }
  void RedoNext() { history->NextRedo()->Execute(); }
  // A recorded command undone, so that the redo side holds something.
  void LeaveSomethingToRedo() {
    Run(std::make_shared<gamecommands::SetFixedValue>(1, 2));
    UndoLast();
    ASSERT_TRUE(history->CanRedo());
  }
  std::vector<std::string> RefreshCalls() const {
    std::vector<std::string> refreshes;
    for (const std::string& c : game->calls)
      if (c == "UpdateHighlights" || c == "LayoutKeypads" || c == "ClearHint" || c == "NotifyViews" ||
          c == "HideKeypads")
        refreshes.push_back(c);
    return refreshes;
  }

  CommandHistory* history = nullptr;
  std::shared_ptr<ModelGame> game;
  std::vector<std::pair<std::uint32_t, std::uint32_t>> shown;  // hint display: text, help
};

TEST_F(PuzzleCommands, BulkCommandsRecordAChangeUndoRedoItAndRecordNothingWhenNothingChanged) {
  using Prepare = std::function<void(Model&)>;
  const std::vector<std::string> all = {"UpdateHighlights", "LayoutKeypads", "ClearHint", "NotifyViews"};
  const auto wrongAndRight = [](Model& m) {
    m.cells[1].user = 3;  // wrong
    m.cells[2].user = 2;  // right
  };
  const auto allRight = [](Model& m) {
    for (std::uint32_t i = 0; i < Model::CellCount; ++i)
      if (!m.cells[i].given) m.cells[i].user = static_cast<std::int8_t>(kSolution[i]);
  };
  struct Case {
    const char* name;
    std::function<std::shared_ptr<gamecommands::Base>()> make;
    Prepare changing;
    Prepare unchanged;
    std::vector<std::string> refreshes;
  };
  const Case cases[] = {
      {"ClearCandidates",
       [] { return std::make_shared<gamecommands::ClearCandidates>(); },
       [](Model&) {},
       [](Model& m) { m.ClearAllCandidates(); },
       {"LayoutKeypads", "ClearHint", "NotifyViews"}},
      {"FillAllCandidates", [] { return std::make_shared<gamecommands::FillAllCandidates>(); },
       [](Model& m) { m.cells[3].candidates = 0b10; }, [](Model&) {}, all},
      {"FillValidCandidates", [] { return std::make_shared<gamecommands::FillValidCandidates>(); }, [](Model&) {},
       [](Model& m) {
         ModelGame peers;
         peers.model = m;
         peers.CopyCandidatesFromSolver();
         m = peers.model;
       },
       all},
      {"RemoveWrong", [] { return std::make_shared<gamecommands::RemoveWrong>(); }, wrongAndRight, allRight, all},
      {"ReplaceWrong", [] { return std::make_shared<gamecommands::ReplaceWrong>(); }, wrongAndRight, allRight, all},
      {"ResetGrid",
       [] { return std::make_shared<gamecommands::ResetGrid>(); },
       wrongAndRight,
       [](Model&) {},
       {"NotifyViews", "LayoutKeypads"}},
      {"SolveGrid", [] { return std::make_shared<gamecommands::SolveGrid>(); }, wrongAndRight,
       [](Model& m) { m.FillSolution(); }, all},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetUp();
    c.changing(game->model);
    const std::vector<grid::GridCell<2>> before = game->model.cells;
    game->calls.clear();
    Run(c.make());
    EXPECT_EQ(RefreshCalls(), c.refreshes);
    ASSERT_TRUE(history->CanUndo());
    EXPECT_FALSE(game->SameCells(before));
    const std::vector<grid::GridCell<2>> after = game->model.cells;
    UndoLast();
    EXPECT_TRUE(game->SameCells(before));
    RedoNext();
    EXPECT_TRUE(game->SameCells(after));
    UndoLast();

    // Nothing to change: nothing recorded, no refresh, and redo stays.
    SetUp();
    c.unchanged(game->model);
    LeaveSomethingToRedo();
    const std::vector<grid::GridCell<2>> unchanged = game->model.cells;
    game->calls.clear();
    Run(c.make());
    EXPECT_TRUE(RefreshCalls().empty());
    EXPECT_TRUE(game->SameCells(unchanged));
    EXPECT_FALSE(history->CanUndo());
    EXPECT_TRUE(history->CanRedo());
  }
}

TEST_F(PuzzleCommands, UndoingAValueRestoresTheAutomaticPencilMarksOfItsRowColumnAndBox) {
  Services::InstallAutoPencilMarks([] { return true; });
  game->CopyCandidatesFromSolver();
  const std::vector<grid::GridCell<2>> before = game->model.cells;
  // Cell 6 (row 1, column 2) gets 1: its row, column and box lose that value.
  const std::uint32_t peers[] = {4, 7, 2, 14, 3};
  for (std::uint32_t peer : peers) ASSERT_TRUE(game->model.cells[peer].candidates.test(1)) << "peer " << peer;
  Run(std::make_shared<gamecommands::SetFixedValue>(6, 1));
  for (std::uint32_t peer : peers) EXPECT_FALSE(game->model.cells[peer].candidates.test(1)) << "peer " << peer;
  UndoLast();
  EXPECT_TRUE(game->SameCells(before));
}

TEST_F(PuzzleCommands, TheSolvedReportRunsOnceAcrossUndoRedoAndRefill) {
  int reports = 0;
  Services::InstallSolvedReport([&](GameBase& solvedGame) {
    ++reports;
    solvedGame.MarkSolved();
  });
  const auto fill = [&](std::uint32_t except) {
    for (std::uint32_t i = 0; i < Model::CellCount; ++i)
      if (!game->model.cells[i].given && i != except)
        Run(std::make_shared<gamecommands::SetFixedValue>(i, kSolution[i]));
  };
  fill(13);
  EXPECT_EQ(reports, 0);
  Run(std::make_shared<gamecommands::SetFixedValue>(13, kSolution[13]));
  EXPECT_EQ(reports, 1);
  UndoLast();
  RedoNext();
  UndoLast();
  Run(std::make_shared<gamecommands::SetFixedValue>(13, kSolution[13]));
  Run(std::make_shared<gamecommands::ResetGrid>());
  fill(Model::CellCount);
  EXPECT_EQ(reports, 1);
}

TEST_F(PuzzleCommands, HintStepWithoutAStepShowsTheNoHintTextAndRecordsNothing) {
  LeaveSomethingToRedo();
  const std::vector<grid::GridCell<2>> before = game->model.cells;
  Run(std::make_shared<gamecommands::Hint_Step>());
  EXPECT_EQ(shown, (std::vector<std::pair<std::uint32_t, std::uint32_t>>{{190, 350}}));
  EXPECT_TRUE(game->SameCells(before));
  EXPECT_FALSE(history->CanUndo());
  EXPECT_TRUE(history->CanRedo());
}

TEST_F(PuzzleCommands, HintStepPlacesASingleWhichUndoesAndRedoes) {
  game->hasStep = true;
  game->step.SetPatternId(PatternId::kHiddenSingle);
  game->step.AddItem(kHintCause, 0, 9, 0b0001);
  game->calls.clear();
  Run(std::make_shared<gamecommands::Hint_Step>());
  EXPECT_EQ(game->model.cells[9].user, 1 - 1);
  EXPECT_EQ(shown, (std::vector<std::pair<std::uint32_t, std::uint32_t>>{{103, 253}}));
  EXPECT_EQ(RefreshCalls(), (std::vector<std::string>{"HideKeypads", "NotifyViews", "ClearHint", "LayoutKeypads"}));
  // Candidates follow the new value.
  EXPECT_FALSE(game->model.cells[8].candidates.test(0));
  ASSERT_TRUE(history->CanUndo());
  const std::vector<grid::GridCell<2>> after = game->model.cells;
  UndoLast();
  EXPECT_EQ(game->model.cells[9].user, -1);
  EXPECT_TRUE(game->model.cells[8].candidates.test(0));
  RedoNext();
  EXPECT_TRUE(game->SameCells(after));
}

TEST_F(PuzzleCommands, HintPointsAtTheStepWithoutChangingACell) {
  struct Case {
    std::uint32_t id;
    bool selects;
  };
  for (const Case c : {Case{PatternId::kNakedSingle, true}, Case{PatternId::kHiddenSingle, true},
                       Case{PatternId::kPointingPair, false}, Case{PatternId::kIllegalValue, false}}) {
    SCOPED_TRACE(c.id);
    SetUp();
    game->hasStep = true;
    game->step.SetPatternId(c.id);
    game->step.AddItem(kHintCause, 0, 6, 0b0001);
    game->step.AddItem(kHintEffect, 0, 7, 0b0001);
    const std::vector<grid::GridCell<2>> before = game->model.cells;
    gamecommands::Hint().Execute();
    EXPECT_EQ(game->model.selected, c.selects ? 6u : 0u);
    EXPECT_TRUE(game->SameCells(before));
    EXPECT_FALSE(history->CanUndo());
    EXPECT_NE(std::find(game->calls.begin(), game->calls.end(), "ShowHint " + std::to_string(c.id)), game->calls.end());
    EXPECT_EQ(game->calls.back(), "LayoutKeypads");
    EXPECT_EQ(shown, (std::vector<std::pair<std::uint32_t, std::uint32_t>>{{100 + c.id, 250 + c.id}}));
  }
  SetUp();
  gamecommands::Hint().Execute();
  EXPECT_EQ(shown, (std::vector<std::pair<std::uint32_t, std::uint32_t>>{{190, 350}}));
  EXPECT_EQ(game->model.selected, 0u);
}

// The game's solver may give up on a hard puzzle that its values still
// complete; the known solution then decides.
TEST_F(PuzzleCommands, TheCheckReportsWhetherTheGridCanBeSolvedAndChangesNoCell) {
  using Calls = std::vector<std::string>;
  const Calls solved = {"CopyCellsToSolver", "SolveTable"};
  const struct {
    const char* name;
    bool solvable;
    std::int8_t value;  // the player's value in cell 1, whose solution is 1
    std::uint32_t message;
    Calls calls;
  } cases[] = {
      {"the solver completes it", true, 3, 406, solved},
      {"the solver fails and a value is wrong", false, 3, 407, solved},
      {"the solver gives up, every value right", false, 1, 406, solved},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SetUp();
    std::vector<std::pair<std::uint32_t, std::uint32_t>> dialogs;
    Services::InstallOkDialog([&](std::uint32_t a, std::uint32_t b) { dialogs.emplace_back(a, b); });
    game->solvable = c.solvable;
    game->model.cells[1].user = c.value;
    const std::vector<grid::GridCell<2>> before = game->model.cells;
    game->calls.clear();
    gamecommands::CheckForCorrectGrid_Command().Execute();
    EXPECT_EQ(dialogs, (std::vector<std::pair<std::uint32_t, std::uint32_t>>{{405, c.message}}));
    EXPECT_EQ(game->calls, c.calls);
    EXPECT_TRUE(game->SameCells(before));
  }
  // Without a dialog installed the check still runs and nothing breaks.
  Services::InstallOkDialog(nullptr);
  gamecommands::CheckForCorrectGrid_Command().Execute();
}

// A puzzle of the player's own has no solution to tell mistakes by: a value
// is wrong when it breaks the rules, and the check and Solve count the
// solutions of what stands on the grid. Values are 0-based; no cell is a
// clue and no solution is known.
TEST_F(PuzzleCommands, OnAnOwnPuzzleTheRulesTellMistakesAndACountChecksAndSolves) {
  using Values = std::vector<std::pair<std::uint32_t, std::int8_t>>;  // cell, value
  using Dialogs = std::vector<std::pair<std::uint32_t, std::uint32_t>>;
  const std::vector<std::int8_t> solved(kSolution, kSolution + Model::CellCount);
  Values uniquelySolvable;  // the solution without its diagonal
  for (std::uint32_t i = 0; i < Model::CellCount; ++i)
    if (i % 5 != 0) uniquelySolvable.emplace_back(i, static_cast<std::int8_t>(kSolution[i]));
  const struct {
    const char* name;
    Values values;
    std::uint32_t maxGuesses;
    std::vector<std::uint32_t> wrong;
    std::uint32_t checkText;
    std::uint32_t solveText;  // 0: Solve fills in the grid
  } cases[] = {
      // Cells 0 and 1 share row 0 and box 0; cell 6 is in neither.
      {"two values clash", {{0, 0}, {1, 0}, {6, 1}}, CSolutionCounter<2>::kDefaultMaxGuesses, {0, 1}, 407, 420},
      // Row 0 leaves cell 3 only the value that column 3 holds already.
      {"no solution, no clash",
       {{0, 0}, {1, 1}, {2, 2}, {7, 3}},
       CSolutionCounter<2>::kDefaultMaxGuesses,
       {},
       407,
       420},
      {"several solutions", {{0, 0}, {6, 1}}, CSolutionCounter<2>::kDefaultMaxGuesses, {}, 406, 421},
      {"the count reaches its bound", {{0, 0}, {6, 1}}, 0, {}, 423, 424},
      {"exactly one solution", uniquelySolvable, CSolutionCounter<2>::kDefaultMaxGuesses, {}, 406, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto start = [&] {
      SetUp();
      game->model.ResetAllCells();
      for (const auto& [cell, value] : c.values) game->model.cells[cell].user = value;
      game->maxGuesses = c.maxGuesses;
    };
    start();
    Dialogs dialogs;
    Services::InstallOkDialog([&](std::uint32_t a, std::uint32_t b) { dialogs.emplace_back(a, b); });
    const std::vector<grid::GridCell<2>> before = game->model.cells;
    std::vector<std::uint32_t> wrong;
    for (std::uint32_t i = 0; i < Model::CellCount; ++i)
      if (game->model.WrongValues()[i]) wrong.push_back(i);
    EXPECT_EQ(wrong, c.wrong);

    gamecommands::CheckForCorrectGrid_Command().Execute();
    EXPECT_EQ(dialogs, (Dialogs{{405, c.checkText}}));
    EXPECT_TRUE(game->SameCells(before));

    // Remove and Replace empty exactly the wrong values: there is no
    // solution to put in.
    for (const bool replace : {false, true}) {
      SCOPED_TRACE(replace ? "ReplaceWrong" : "RemoveWrong");
      start();
      if (replace)
        Run(std::make_shared<gamecommands::ReplaceWrong>());
      else
        Run(std::make_shared<gamecommands::RemoveWrong>());
      for (std::uint32_t i = 0; i < Model::CellCount; ++i) {
        const bool isWrong = std::find(c.wrong.begin(), c.wrong.end(), i) != c.wrong.end();
        EXPECT_EQ(game->model.cells[i].user, isWrong ? -1 : before[i].user) << "cell " << i;
      }
      EXPECT_EQ(history->CanUndo(), !c.wrong.empty());
    }

    start();
    dialogs.clear();
    Services::InstallOkDialog([&](std::uint32_t a, std::uint32_t b) { dialogs.emplace_back(a, b); });
    LeaveSomethingToRedo();
    game->model.cells = before;
    Run(std::make_shared<gamecommands::SolveGrid>());
    if (c.solveText == 0) {
      EXPECT_TRUE(dialogs.empty());
      std::vector<std::int8_t> users;
      for (const auto& cell : game->model.cells) users.push_back(cell.user);
      EXPECT_EQ(users, solved);
      EXPECT_FALSE(game->model.IsSolutionKnown());
      EXPECT_FALSE(game->model.HasWrongValues());
      ASSERT_TRUE(history->CanUndo());
      UndoLast();
    } else {
      EXPECT_EQ(dialogs, (Dialogs{{425, c.solveText}}));
      EXPECT_FALSE(history->CanUndo());
      EXPECT_TRUE(history->CanRedo());
    }
    EXPECT_TRUE(game->SameCells(before));
  }
}

// With the solution known, it alone tells mistakes: a right value stays
// right though a wrong one clashes with it, and a wrong value that clashes
// with nothing is still wrong.
TEST_F(PuzzleCommands, WithAKnownSolutionTheSolutionAloneTellsMistakes) {
  // Cell 1 holds its solution, 1; cell 2 (solution 2) holds 1 beside it;
  // cell 7 (solution 1) holds 2, which nothing else in its row, column or
  // box shows.
  const auto start = [&] {
    SetUp();
    game->model.cells[1].user = 1;
    game->model.cells[2].user = 1;
    game->model.cells[7].user = 2;
  };
  start();
  std::vector<std::uint32_t> wrong;
  for (std::uint32_t i = 0; i < Model::CellCount; ++i)
    if (game->model.WrongValues()[i]) wrong.push_back(i);
  EXPECT_EQ(wrong, (std::vector<std::uint32_t>{2, 7}));

  Run(std::make_shared<gamecommands::RemoveWrong>());
  EXPECT_EQ(game->model.cells[1].user, 1);
  EXPECT_EQ(game->model.cells[2].user, -1);
  EXPECT_EQ(game->model.cells[7].user, -1);

  start();
  Run(std::make_shared<gamecommands::ReplaceWrong>());
  EXPECT_EQ(game->model.cells[1].user, 1);
  EXPECT_EQ(game->model.cells[2].user, 2);
  EXPECT_EQ(game->model.cells[7].user, 1);

  // Solve fills in the known solution without counting and without a word.
  start();
  bool dialog = false;
  Services::InstallOkDialog([&](std::uint32_t, std::uint32_t) { dialog = true; });
  game->maxGuesses = 0;
  Run(std::make_shared<gamecommands::SolveGrid>());
  EXPECT_FALSE(dialog);
  for (std::uint32_t i = 0; i < Model::CellCount; ++i) EXPECT_EQ(game->model.cells[i].user, kSolution[i]) << i;
}

TEST_F(PuzzleCommands, LoadingAPuzzleStartsAGameWithItsCluesAndSolutionAndNoHistory) {
  const std::vector<std::uint8_t> bytes = {1, 0, 0, 0, 0, 4, 0, 0, 0, 0, 4, 0, 0, 0, 0, 1};
  for (const bool solvable : {true, false}) {
    for (const bool pencilMarks : {true, false}) {
      SCOPED_TRACE(std::string(solvable ? "solvable" : "no solution") + (pencilMarks ? ", pencil marks" : ""));
      SetUp();
      Services::InstallAutoPencilMarks([pencilMarks] { return pencilMarks; });
      std::vector<std::pair<std::uint32_t, std::uint32_t>> started;
      Services::InstallNewGame([&](std::uint32_t n, std::uint32_t level) {
        started.emplace_back(n, level);
        game = std::make_shared<ModelGame>();
        game->solvable = solvable;
        game->model.cells[2].user = 3;  // left over in the new game's cells
        return game;
      });
      Run(std::make_shared<gamecommands::SetFixedValue>(1, 1));
      ASSERT_TRUE(history->CanUndo());

      gamecommands::LoadGrid_Command(2, 4, bytes).Execute();
      EXPECT_EQ(started, (std::vector<std::pair<std::uint32_t, std::uint32_t>>{{2, 4}}));
      EXPECT_FALSE(history->CanUndo());
      EXPECT_FALSE(history->CanRedo());
      for (std::uint32_t i = 0; i < Model::CellCount; ++i) {
        SCOPED_TRACE(i);
        const grid::GridCell<2>& cell = game->model.cells[i];
        EXPECT_EQ(cell.given != 0, bytes[i] != 0);
        EXPECT_EQ(cell.user, -1);
        const std::uint8_t expected = bytes[i] != 0 ? bytes[i] - 1 : solvable ? kSolution[i] : grid::kUnknownSolution;
        EXPECT_EQ(cell.solution, expected);
      }
      // Pencil marks from the solver, or none.
      EXPECT_EQ(game->model.cells[1].candidates.to_ulong(), pencilMarks ? 0b0110u : 0u);
      const auto& calls = game->calls;
      ASSERT_GE(calls.size(), 3u);
      EXPECT_EQ(std::vector<std::string>(calls.end() - 3, calls.end()),
                (std::vector<std::string>{"UpdateHighlights", "LayoutKeypads", "NotifyViews"}));
    }
  }
}

TEST_F(PuzzleCommands, LoadingWithoutAWayToStartAGameLeavesTheCurrentOne) {
  Run(std::make_shared<gamecommands::SetFixedValue>(1, 1));
  const std::vector<grid::GridCell<2>> before = game->model.cells;
  gamecommands::LoadGrid_Command(2, 1, std::vector<std::uint8_t>(16, 1)).Execute();
  EXPECT_TRUE(game->SameCells(before));
  EXPECT_TRUE(history->CanUndo());
}

TEST_F(PuzzleCommands, WithoutAGameNoCommandDoesAnything) {
  Services::InstallCurrentGame(nullptr);
  bool dialog = false;
  Services::InstallOkDialog([&](std::uint32_t, std::uint32_t) { dialog = true; });
  game->hasStep = true;
  game->step.SetPatternId(PatternId::kNakedSingle);
  game->step.AddItem(kHintCause, 0, 1, 1);
  Run(std::make_shared<gamecommands::Hint_Step>());
  Run(std::make_shared<gamecommands::SolveGrid>());
  gamecommands::Hint().Execute();
  gamecommands::CheckForCorrectGrid_Command().Execute();
  EXPECT_FALSE(history->CanUndo());
  EXPECT_TRUE(shown.empty());
  EXPECT_FALSE(dialog);
  EXPECT_TRUE(game->calls.empty());
}

}  // namespace
