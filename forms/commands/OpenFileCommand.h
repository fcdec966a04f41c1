// Opens a puzzle text file (PuzzleText.h) chosen in the open dialog as a new
// game: its symbols become the clues, the solution comes from the count of
// solutions (PuzzleSolution.h) and, by the automatic pencil-marks option,
// the solver computes the candidates; then the game form shows it with the
// puzzle information.
//
// The whole file is checked before the game is touched, so a file that
// cannot be read, is not a puzzle, or holds a puzzle without exactly one
// solution leaves the game in progress as it was and says why in the OK
// dialog.  A cancelled dialog does nothing.
#pragma once

#include "game/ApplicationCommand.h"

class OpenFileCommand : public ApplicationCommand {
 public:
  // Needs the application object; without one nothing happens.
  void Execute() override;
};
