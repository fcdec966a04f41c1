// The end of a solved puzzle: the game stops its clock and shows the grid
// without keypads, the player is congratulated in the OK dialog, and the
// solve is counted in the current player's statistics for the game's level
// and grid size (solved count, total, shortest, longest and average time).
// The statistics are written to the player's settings file as soon as the
// solve is counted.
#pragma once

#include <cstdint>

#include "game/ApplicationCommand.h"

inline constexpr std::uint32_t kSolvedTitleText = 403;
inline constexpr std::uint32_t kSolvedMessageText = 220;

class GameSolved_Command : public ApplicationCommand {
 public:
  // On the application's current game; without one nothing happens.  The
  // clock stops before the dialog opens, so the time the dialog stays open
  // is not counted, and the solve is recorded however the dialog was closed.
  // A dialog that cannot be built (a missing item of form 25) throws, and
  // nothing is recorded.
  void Execute() override;
};
