#include "forms/commands/OpenFileCommand.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>

#include "base/SmallFile.h"
#include "forms/commands/PuzzleFileDialog.h"
#include "forms/commands/PuzzleText.h"
#include "forms/common/Application.h"
#include "forms/gameform/ShowGameFormCommand.h"

namespace {

// A 16 x 16 puzzle takes 288 bytes; this leaves room for blanks and line
// ends of any kind, and nothing larger can be a puzzle.
constexpr std::size_t kMaxFileBytes = 64 * 1024;

// Puzzles from a file have no level of their own.
constexpr std::uint32_t kFileLevel = 0;

void SetUpPuzzle(GameBase& game, const std::string& cells, bool autoPencilMarks) {
  game.ResetAllCells();
  game.SetGridFromString(cells);
  game.CopyCellsToSolver();
  if (autoPencilMarks) {
    game.ResetSolverCandidates();
    game.UpdateSolverCandidates();
    game.CopyCandidatesFromSolver();
  } else {
    game.ClearAllCandidates();
  }
  // A puzzle without a solution is still opened, to be played as it is; its
  // cells keep an unknown solution rather than the solver's partial one.
  if (game.SolveTable(nullptr)) game.CopySolutionFromSolver();
  game.UpdateHighlights();
  game.LayoutKeypads();
  game.NotifyViews();
}

}  // namespace

void OpenFileCommand::Execute() {
  Application* state = Application::Instance();
  if (state == nullptr) return;
  const std::optional<std::wstring> path = puzzle_file::AskForPuzzleFile(puzzle_file::DialogKind::open);
  if (!path) return;

  // A file that cannot be read is no puzzle either, as far as the player
  // can tell.
  const std::optional<std::string> text = ReadSmallFile(*path, kMaxFileBytes);
  const std::optional<GridText> grid = text ? ReadPuzzleText(*text) : std::nullopt;
  if (!grid) {
    puzzle_file::ShowFileProblem(puzzle_file::kNotAPuzzle);
    return;
  }

  state->SeGameSize(static_cast<int>(grid->boxSize), kFileLevel);
  const std::shared_ptr<GameBase> game = state->game;
  SetUpPuzzle(*game, grid->cells, state->options.autoPencilMarks);
  ShowGameFormCommand(true).Execute();
}
