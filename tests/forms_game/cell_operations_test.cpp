// The game's cell, candidate, solver-board and hint operations on a real
// 9x9 game, one case per rule that a careless version gets wrong.

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/forms_game/game_fixture.h"

namespace {

using namespace game_test;

using Game3 = Game<3>;

grid::GridCell<3>& CellOf(Game3& g, std::uint32_t i) { return g.gridView().model().cells.at(i); }

// Every cell a clue with a known solution except the listed ones, which are
// empty with all candidates and no clue.
void SolvedBut(Game3& g, std::vector<std::uint32_t> open) {
  for (std::uint32_t i = 0; i < 81; ++i) {
    auto& c = CellOf(g, i);
    c.solution = SolutionAt<3>(i);
    c.given = 1;
  }
  for (std::uint32_t i : open) CellOf(g, i).given = 0;
}

struct Case {
  const char* name;
  std::function<void(Game3&)> run;
};

TEST_F(GameTest, CellOperationsEdgeCases) {
  const std::vector<Case> cases = {
      {"without a solution the wrong-value operations empty the values that clash, Solve's fill every value",
       [](Game3& g) {
         struct Op {
           void (Game3::*run)();
           bool keepsTheOther;
         };
         for (const Op op : {Op{&Game3::RemoveWrongValues, true}, Op{&Game3::ReplaceWrongValues, true},
                             Op{&Game3::FillSolution, false}}) {
           g.SetCellValue(3, 4);
           g.SetCellValue(5, 4);  // same row and box
           g.SetCellValue(60, 0);
           (g.*op.run)();
           EXPECT_EQ(g.GetCellValue(3), -1);
           EXPECT_EQ(g.GetCellValue(5), -1);
           EXPECT_EQ(g.GetCellValue(60), op.keepsTheOther ? 0 : -1);
           g.ClearAllUserValues();
         }
       }},
      {"an empty cell reads -1 and clearing all values leaves clues showing",
       [](Game3& g) {
         SolvedBut(g, {0});
         EXPECT_EQ(g.GetCellValue(0), -1);
         g.SetCellValue(0, SolutionAt<3>(0));
         g.FillSolution();
         g.ClearAllUserValues();
         EXPECT_EQ(g.GetCellValue(5), -1);
         EXPECT_EQ(CellOf(g, 5).ShownValue(), SolutionAt<3>(5));
         EXPECT_EQ(g.CountFilledCells(), 80u);
       }},
      {"candidates are kept to the grid's values",
       [](Game3& g) {
         g.SetCandidates(4, 0xFFFF);
         EXPECT_EQ(g.GetCandidates(4), 0x1FF);
         g.SetCandidate(4, 8, false);
         EXPECT_FALSE(g.HasCandidate(4, 8));
         EXPECT_THROW(g.SetCandidate(4, 9, true), std::out_of_range);
         EXPECT_THROW(g.HasCandidate(4, 9), std::out_of_range);
       }},
      {"a clue without a solution goes to the solver as an empty cell with its candidates",
       [](Game3& g) {
         auto& c = CellOf(g, 10);
         c.given = 1;
         c.solution = grid::kUnknownSolution;
         c.candidates = 0b110;
         g.SetCellValue(11, 7);
         g.CopyCellsToSolver();
         const auto& table = g.generator().GetTable();
         EXPECT_EQ(table.values[10], kEmptyValue);
         EXPECT_EQ(table.masks[10], 0b110);
         EXPECT_EQ(table.values[11], 7);
         EXPECT_EQ(table.masks[11], 0x1FF);
         EXPECT_EQ(g.CountEmptySolverCells(), 80u);
       }},
      {"candidates come back from the solver only into its empty cells",
       [](Game3& g) {
         g.ClearAllCandidates();
         g.SetCellValue(0, 2);
         g.CopyCellsToSolver();
         g.ResetSolverCandidates();
         g.UpdateSolverCandidates();
         g.CopyCandidatesFromSolver();
         EXPECT_EQ(g.GetCandidates(0), 0);               // holds a value on the board
         EXPECT_EQ(g.GetCandidates(1), 0x1FF & ~0b100);  // same row as the 3
         EXPECT_EQ(g.GetCandidates(80), 0x1FF);
         g.MarkGivenCells();
         EXPECT_EQ(CellOf(g, 0).given, 1);
         EXPECT_EQ(g.CountFilledCells(), 1u);
       }},
      {"a change of marks alone is no change, and restoring keeps marks",
       [](Game3& g) {
         g.SetCellValue(20, 1);
         g.SaveCells();
         std::vector<CellChange> changes;
         CellOf(g, 20).marks = 8;
         g.CollectChangedCells(changes);
         EXPECT_TRUE(changes.empty());
         g.SetCellValue(20, 5);
         g.SetCandidates(30, 0b1);
         CellOf(g, 40).given = 1;
         g.CollectChangedCells(changes);
         ASSERT_EQ(changes.size(), 3u);
         EXPECT_EQ(changes[0].cell, 20u);
         EXPECT_EQ(changes[0].user, 1);
         EXPECT_EQ(changes[1].cell, 30u);
         EXPECT_EQ(changes[1].candidates, 0x1FF);
         EXPECT_EQ(changes[2].cell, 40u);
         g.RestoreCells(changes);
         EXPECT_EQ(g.GetCellValue(20), 1);
         EXPECT_EQ(g.GetCandidates(30), 0x1FF);
         EXPECT_EQ(CellOf(g, 40).given, 0);
         EXPECT_EQ(CellOf(g, 20).marks, 8u);
         std::vector<CellChange> none;
         g.CollectChangedCells(none);
         EXPECT_TRUE(none.empty());
       }},
      {"an illegal value next to a clue clears the player's cell, whichever item comes first",
       [](Game3& g) {
         for (const bool clueFirst : {true, false}) {
           g.ResetAllCells();
           const std::uint32_t clue = clueFirst ? 0 : 1, player = clueFirst ? 1 : 0;
           CellOf(g, clue).given = 1;
           CellOf(g, clue).solution = 4;
           g.SetCellValue(player, 4);
           CHintInfo hint;
           ASSERT_TRUE(g.ApplyHint(hint));
           ASSERT_EQ(hint.GetPatternId(), PatternId::kIllegalValue);
           EXPECT_EQ(g.GetCellValue(player), -1);
           EXPECT_EQ(CellOf(g, clue).ShownValue(), 4);
           for (const HintItem& item : hint.GetItems())
             if (item.cell == clue) {
               EXPECT_EQ(item.cause, kHintCause);
             }
         }
       }},
      {"a single from the pencil marks is placed",
       [](Game3& g) {
         SolvedBut(g, {40});
         g.SetCandidates(40, static_cast<std::uint16_t>(1u << SolutionAt<3>(40)));
         CHintInfo hint;
         ASSERT_TRUE(g.ApplyHint(hint));
         EXPECT_TRUE(hint.GetPatternId() == PatternId::kNakedSingle || hint.GetPatternId() == PatternId::kHiddenSingle);
         EXPECT_EQ(g.GetCellValue(40), SolutionAt<3>(40));
       }},
      {"hints work from the player's pencil marks, not the full candidates",
       [](Game3& g) {
         SolvedBut(g, {40});  // every candidate pencilled in
         CHintInfo hint;
         g.FindHint(hint);
         EXPECT_NE(hint.GetPatternId(), PatternId::kNakedSingle);
         EXPECT_NE(hint.GetPatternId(), PatternId::kHiddenSingle);
       }},
      {"a level-0 game generates an empty board, which marks no clue",
       [](Game3& g) {
         g.CopyCellsToSolver();
         g.generator().GetTable().values[3] = 2;
         g.GenerateGrid(nullptr);  // the game was built for level 0
         EXPECT_EQ(g.CountEmptySolverCells(), 81u);
         g.MarkGivenCells();
         EXPECT_EQ(g.CountFilledCells(), 0u);
       }},
      {"a full board rates as the solver's rating alone",
       [](Game3& g) {
         SolvedBut(g, {});
         g.CopyCellsToSolver();
         EXPECT_TRUE(g.IsLogicallySolved());
         EXPECT_EQ(g.GetRating(), g.generator().GetRating());
         g.CopySolutionFromSolver();
         EXPECT_EQ(CellOf(g, 80).solution, SolutionAt<3>(80));
       }},
      {"selecting marks the grid dirty only through SetCurrentCell",
       [](Game3& g) {
         g.SelectCell(12);
         EXPECT_EQ(g.GetCurrentCell(), 12u);
         EXPECT_FALSE(g.gridView().display().handle().get()->dirty());
         g.SetCurrentCell(13);
         EXPECT_EQ(g.GetCurrentCell(), 13u);
         EXPECT_TRUE(g.gridView().display().handle().get()->dirty());
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto game = MakeGame<3>(0);
    // The paint pass cleans the new windows, so a later dirty mark shows.
    paint();
    c.run(*game);
  }
}

}  // namespace
