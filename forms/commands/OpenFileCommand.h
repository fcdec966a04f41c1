// Opens a puzzle text file (PuzzleText.h) chosen in the open dialog as a new
// game: its symbols become the clues, the solver computes the solution and,
// by the automatic pencil-marks option, the candidates; then the game form
// shows it with the puzzle information.
//
// The whole file is checked before the game is touched, so a file that is
// not a puzzle (or cannot be read) leaves the game in progress as it was and
// says why in the OK dialog.  A cancelled dialog does nothing.
#pragma once

#include "game/ApplicationCommand.h"

class OpenFileCommand : public ApplicationCommand {
 public:
  // Needs the application object; without one nothing happens.
  void Execute() override;
};
