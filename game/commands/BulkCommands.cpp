#include "game/commands/BulkCommands.h"

#include <memory>

#include "game/GameBase.h"
#include "game/commands/Services.h"

namespace gamecommands {

namespace {

void RefreshAll(GameBase& game) {
  game.UpdateHighlights();
  game.LayoutKeypads();
  game.ClearHint();
  game.NotifyViews();
}

}  // namespace

bool BulkCommand::Execute() {
  const std::shared_ptr<GameBase> game = Services::CurrentGame();
  if (!game) return false;
  if (firstRun) game->SaveCells();
  Action(*game);
  if (firstRun) {
    game->CollectChangedCells(changes);
    if (changes.empty()) return false;
  }
  Refresh(*game);
  firstRun = false;
  return true;
}

void BulkCommand::Undo() {
  const std::shared_ptr<GameBase> game = Services::CurrentGame();
  if (!game) return;
  game->RestoreCells(changes);
  game->NotifyViews();
}

void ClearCandidates::Action(GameBase& game) { game.ClearAllCandidates(); }
void ClearCandidates::Refresh(GameBase& game) {
  game.LayoutKeypads();
  game.ClearHint();
  game.NotifyViews();
}

void FillAllCandidates::Action(GameBase& game) { game.FillAllCandidates(); }
void FillAllCandidates::Refresh(GameBase& game) { RefreshAll(game); }

void FillValidCandidates::Action(GameBase& game) {
  game.CopyCellsToSolver();
  game.ResetSolverCandidates();
  game.UpdateSolverCandidates();
  game.CopyCandidatesFromSolver();
}
void FillValidCandidates::Refresh(GameBase& game) { RefreshAll(game); }

void RemoveWrong::Action(GameBase& game) { game.RemoveWrongValues(); }
void RemoveWrong::Refresh(GameBase& game) { RefreshAll(game); }

void ReplaceWrong::Action(GameBase& game) { game.ReplaceWrongValues(); }
void ReplaceWrong::Refresh(GameBase& game) { RefreshAll(game); }

void ResetGrid::Action(GameBase& game) { game.ClearAllUserValues(); }
void ResetGrid::Refresh(GameBase& game) {
  game.NotifyViews();
  // A keypad panel would otherwise go on showing the emptied cell's value.
  game.LayoutKeypads();
}

void SolveGrid::Action(GameBase& game) {
  if (game.IsSolutionKnown()) {
    game.FillSolution();
    return;
  }
  using SolutionCount::Result;
  // A value that breaks the rules leaves no solution to count.
  switch (game.HasWrongValues() ? Result::kBrokenRules : game.FillCountedSolution()) {
    case Result::kOne: break;
    case Result::kBrokenRules:
    case Result::kNone: Services::ShowOkDialog(kSolveTitleText, kNoSolutionText); break;
    case Result::kSeveral: Services::ShowOkDialog(kSolveTitleText, kSeveralSolutionsText); break;
    case Result::kUndecided: Services::ShowOkDialog(kSolveTitleText, kNotSolvedText); break;
  }
}
void SolveGrid::Refresh(GameBase& game) { RefreshAll(game); }

}  // namespace gamecommands
