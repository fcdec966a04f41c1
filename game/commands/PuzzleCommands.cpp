#include "game/commands/PuzzleCommands.h"

#include <memory>

#include "game/CommandHistory.h"
#include "game/GameBase.h"
#include "game/commands/Services.h"

namespace gamecommands {

void CheckForCorrectGrid_Command::Execute() {
  const std::shared_ptr<GameBase> game = Services::CurrentGame();
  if (!game) return;
  if (!game->IsSolutionKnown()) {
    // A value that breaks the rules leaves no solution, and the check says
    // so without a search, as the mistake flags do.
    using SolutionCount::Result;
    std::uint32_t text = kCheckSolvableText;
    switch (game->HasWrongValues() ? Result::kBrokenRules : game->CountSolutions()) {
      case Result::kBrokenRules:
      case Result::kNone: text = kCheckNotSolvableText; break;
      case Result::kOne:
      case Result::kSeveral: text = kCheckSolvableText; break;
      case Result::kUndecided: text = kCheckUnknownSolutionText; break;
    }
    Services::ShowOkDialog(kCheckTitleText, text);
    return;
  }
  game->CopyCellsToSolver();
  const bool solvable = game->SolveTable(nullptr) || !game->HasWrongValues();
  Services::ShowOkDialog(kCheckTitleText, solvable ? kCheckSolvableText : kCheckNotSolvableText);
}

void LoadGrid_Command::Execute() {
  const std::shared_ptr<GameBase> game = Services::StartNewGame(boxSize, level);
  if (!game) return;
  // The new game empties the history already; this keeps an undo step of the
  // previous puzzle from ever reaching the loaded one.
  if (CommandHistory* history = CommandHistory::Instance()) history->Reset();
  game->ResetAllCells();
  game->SetGridFromBytes(bytes);
  game->CopyCellsToSolver();
  if (Services::AutoPencilMarks()) {
    game->ResetSolverCandidates();
    game->UpdateSolverCandidates();
    game->CopyCandidatesFromSolver();
  } else {
    game->ClearAllCandidates();
  }
  if (game->SolveTable(nullptr)) game->CopySolutionFromSolver();
  game->UpdateHighlights();
  game->LayoutKeypads();
  game->NotifyViews();
}

}  // namespace gamecommands
