// The end of a solved puzzle: the game stops its clock and shows the grid
// without keypads, the solve is counted in the current player's statistics
// for the game's level and grid size (solved count, total, shortest, longest
// and average time) and written to the player's settings file, the solved
// game is written as the saved game, and then the player is congratulated
// in the OK dialog.
#pragma once

#include <cstdint>

#include "game/ApplicationCommand.h"

inline constexpr std::uint32_t kSolvedTitleText = 403;
inline constexpr std::uint32_t kSolvedMessageText = 220;

class GameSolved_Command : public ApplicationCommand {
 public:
  // On the application's current game; without one nothing happens.  The
  // solve is recorded and written, with the solved game, before the dialog
  // opens, so it holds once however the dialog ends, a kill or a lost
  // display included, and the time the dialog stays open is not counted.  A dialog that cannot be
  // built (a missing item of form 25) throws after the solve is recorded.
  void Execute() override;
};
