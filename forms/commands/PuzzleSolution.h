// The solution of a puzzle read from a file, or why it cannot be played.
//
// The game's mistakes, hints, check and Solve all rest on one solution, so
// only a puzzle with exactly one is opened: clues that break the rules, no
// solution and several solutions are each refused with their own message.
// The game's own solver (singles and a search that gives up after 250
// branch points) is not asked: it fails on some hard puzzles that have one
// solution, so the solution comes from a complete count of solutions up to
// the second, which finds it on the way.
#pragma once

#include <cstdint>
#include <vector>

#include "game/GridText.h"

struct PuzzleSolution {
  // The message id of the reason the puzzle is refused (PuzzleFileDialog.h),
  // or 0 when it has one solution.
  int refusal = 0;
  // The solution, one 0-based value per cell; empty when refused.
  std::vector<std::uint8_t> values;
};

// The cells are those ReadPuzzleText accepted: symbols of the grid's size.
PuzzleSolution SolvePuzzle(const GridText& grid);
