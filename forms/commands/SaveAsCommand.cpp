#include "forms/commands/SaveAsCommand.h"

#include <memory>
#include <optional>
#include <string>

#include "base/SmallFile.h"
#include "forms/commands/PuzzleFileDialog.h"
#include "forms/common/Application.h"
#include "game/GridText.h"

void SaveAsCommand::Execute() {
  Application* state = Application::Instance();
  if (state == nullptr || !state->game) return;
  const std::optional<std::wstring> path = puzzle_file::AskForPuzzleFile(puzzle_file::DialogKind::save);
  if (!path) return;

  // The game that was current when the dialog closed.
  const std::shared_ptr<GameBase> game = state->game;
  if (!game) return;
  const std::uint32_t side = game->GetBoxSize() * game->GetBoxSize();
  // The player's own file: a failure is told by the dialog below alone, not
  // by the report meant for the program's files.
  if (!ReplaceFileQuietly(*path, FormatGridText(game->GetGridString(), side)))
    puzzle_file::ShowFileProblem(puzzle_file::kNotWritten, puzzle_file::FileNameToShow(*path));
}
