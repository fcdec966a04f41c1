// The step "show the game form" of the commands that put a new puzzle into
// the current game (opening a puzzle file), as a function start-up installs.
//
// The game form's show command lives with the game form, which in turn runs
// this folder's undo and redo; naming it here would tie the two folders in a
// circle.  Start-up installs it instead:
//
//   application_commands::InstallShowGameForm(
//       [](bool showPuzzleInfo) { ShowGameFormCommand(showPuzzleInfo).Execute(); });
#pragma once

#include <functional>

namespace application_commands {

using ShowGameFormFunction = std::function<void(bool showPuzzleInfo)>;

// An empty function uninstalls.
void InstallShowGameForm(ShowGameFormFunction function);

// Shows the game form, with the puzzle information first when asked; nothing
// happens while no function is installed.
void ShowGameForm(bool showPuzzleInfo);

}  // namespace application_commands
