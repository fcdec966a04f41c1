#include "forms/commands/OpenFileCommand.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/SmallFile.h"
#include "forms/commands/PuzzleFileDialog.h"
#include "forms/commands/PuzzleSolution.h"
#include "forms/commands/PuzzleText.h"
#include "forms/common/Application.h"
#include "forms/gameform/ShowGameFormCommand.h"

namespace {

// A 16 x 16 puzzle takes 288 bytes; this leaves room for blanks and line
// ends of any kind, and nothing larger can be a puzzle.
constexpr std::size_t kMaxFileBytes = 64 * 1024;

// Puzzles from a file have no level of their own.
constexpr std::uint32_t kFileLevel = 0;

void SetUpPuzzle(GameBase& game, const std::string& cells, const std::vector<std::uint8_t>& solution,
                 bool autoPencilMarks) {
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
  game.SetSolution(solution);
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

  // One byte past the limit tells a file too long to be a puzzle from one
  // that cannot be read at all (missing, a folder, no permission).
  const std::optional<std::string> text = ReadFileStart(*path, kMaxFileBytes + 1);
  if (!text) {
    puzzle_file::ShowFileProblem(puzzle_file::kNotReadable, puzzle_file::FileNameToShow(*path));
    return;
  }
  const std::optional<GridText> grid = text->size() <= kMaxFileBytes ? ReadPuzzleText(*text) : std::nullopt;
  if (!grid) {
    puzzle_file::ShowFileProblem(puzzle_file::kNotAPuzzle);
    return;
  }
  const PuzzleSolution solution = SolvePuzzle(*grid);
  if (solution.refusal != 0) {
    puzzle_file::ShowFileProblem(solution.refusal);
    return;
  }

  state->SeGameSize(static_cast<int>(grid->boxSize), kFileLevel);
  const std::shared_ptr<GameBase> game = state->game;
  SetUpPuzzle(*game, grid->cells, solution.values, state->options.autoPencilMarks);
  ShowGameFormCommand(true).Execute();
}
