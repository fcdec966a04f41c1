// Opens a puzzle text file (PuzzleText.h) chosen in the open dialog as a new
// game: its symbols become the clues, the solver computes the solution and,
// by the automatic pencil-marks option, the candidates; then the game form
// shows it with the puzzle information.
//
// The whole file is checked before the game is touched, so a file that is
// not a puzzle (or cannot be read) leaves the game in progress as it was and
// says why in a message box.  A cancelled dialog does nothing.
#pragma once

#include "game/ApplicationCommand.h"

class OpenFileCommand : public ApplicationCommand {
 public:
  // Needs the application object; without one nothing happens.
  void Execute() override;

  static constexpr const wchar_t* kCaption = L"Open puzzle";
  static constexpr const wchar_t* kUnreadableText = L"The file could not be read.";
  static constexpr const wchar_t* kNotAPuzzleText =
      L"The file does not hold a puzzle. A puzzle file has 4, 9 or 16 lines of as many characters, each 0 for an "
      L"empty cell or a digit or letter of that grid size.";
};
