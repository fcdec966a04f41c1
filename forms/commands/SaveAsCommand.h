// Saves the current grid as a puzzle text file (PuzzleText.h) under the name
// chosen in the save dialog: S lines of S symbols, each line ended by "\n",
// the clues and the player's values alike, so opening the file again makes
// the player's values clues of a new puzzle.
//
// The file is replaced atomically: a failed save leaves the file that was
// there, and says so in the OK dialog, naming the file.  A cancelled dialog does nothing.
#pragma once

#include "game/ApplicationCommand.h"

class SaveAsCommand : public ApplicationCommand {
 public:
  // Needs the application object and a game; without them nothing happens.
  void Execute() override;
};
