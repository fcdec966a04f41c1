#include "forms/commands/PuzzleSolution.h"

#include "engine/CSolutionCounter.h"
#include "engine/CTBits.h"
#include "forms/commands/PuzzleFileDialog.h"
#include "game/grid/GridSymbols.h"

namespace {

template <unsigned N>
PuzzleSolution Solve(const std::string& cells) {
  constexpr std::uint32_t kCells = CTSize<N>::CellCount;
  std::uint8_t values[kCells];
  for (std::uint32_t cell = 0; cell < kCells; ++cell) {
    const std::uint32_t value = cell < cells.size() ? grid::SymbolToValue(cells[cell]) : grid::kNotAValue;
    values[cell] = value < CTSize<N>::S ? static_cast<std::uint8_t>(value) : kEmptyValue;
  }
  CSolutionCounter<N> counter;
  switch (counter.Count(values)) {
    case SolutionCount::Result::kOne:
      return {0, std::vector<std::uint8_t>(counter.Solution(), counter.Solution() + kCells)};
    case SolutionCount::Result::kBrokenRules: return {puzzle_file::kBrokenRules, {}};
    case SolutionCount::Result::kNone: return {puzzle_file::kNoSolution, {}};
    case SolutionCount::Result::kSeveral: return {puzzle_file::kSeveralSolutions, {}};
    case SolutionCount::Result::kUndecided: break;
  }
  // Too hard to settle within the counter's bound: the solution stays
  // unknown, and a game without one could neither check nor solve.
  return {puzzle_file::kNotSolved, {}};
}

}  // namespace

PuzzleSolution SolvePuzzle(const GridText& grid) {
  switch (grid.boxSize) {
    case 2: return Solve<2>(grid.cells);
    case 3: return Solve<3>(grid.cells);
    case 4: return Solve<4>(grid.cells);
    default: return {puzzle_file::kNotAPuzzle, {}};
  }
}
