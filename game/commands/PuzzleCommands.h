#pragma once
// Application commands on the whole puzzle, never recorded for undo: the
// check whether the grid as filled in can still be solved, and loading a
// puzzle from a package as a new game.
//
// They reach the game, the dialog and the start of a new game through
// Services; a missing game makes them do nothing.

#include <cstdint>
#include <utility>
#include <vector>

#include "game/ApplicationCommand.h"

namespace gamecommands {

inline constexpr std::uint32_t kCheckTitleText = 405;
inline constexpr std::uint32_t kCheckSolvableText = 406;
inline constexpr std::uint32_t kCheckNotSolvableText = 407;
inline constexpr std::uint32_t kCheckUnknownSolutionText = 423;

// Shows an OK dialog: text 405, then 406 when the solver completes the grid
// from the values and pencil marks on it, 407 when it cannot. The game's
// solver gives up on some hard puzzles, so when it fails the puzzle's
// solution decides: 406 when every player's value agrees with it. Without a
// known solution the values on the grid are counted instead: 407 when a
// value breaks the rules or they have no solution, 406 when they have one
// or several, and 423 when the count is undecided. No cell changes; only
// the solver's board holds the trial solution.
class CheckForCorrectGrid_Command final : public ApplicationCommand {
 public:
  void Execute() override;
};

// Starts a new game of box size boxSize and the level, with the puzzle's
// clues (one byte per cell: the 1-based value, 0 for an empty cell) and the
// solution the solver finds. A puzzle the solver cannot complete keeps its
// solutions unknown rather than showing a board the solver left half done.
// The undo history is empty afterwards. Without a way to start a game
// installed nothing happens: the current game may be of another size.
class LoadGrid_Command final : public ApplicationCommand {
 public:
  LoadGrid_Command(std::uint32_t boxSize, std::uint32_t level, std::vector<std::uint8_t> bytes)
      : boxSize(boxSize), level(level), bytes(std::move(bytes)) {}
  void Execute() override;

 private:
  std::uint32_t boxSize;
  std::uint32_t level;
  std::vector<std::uint8_t> bytes;
};

}  // namespace gamecommands
