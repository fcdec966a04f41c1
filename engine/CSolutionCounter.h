#pragma once
// Tells how many solutions a board has: none, one or several, with the one
// solution when there is exactly one. A game's mistakes, hints and check all
// rest on a single solution, so a puzzle opened from a file is played only
// when it has exactly one; a grid the player fills in as a puzzle of their
// own has none known, and its check and Solve count what stands on it.
//
// This is a search of its own rather than CSudokuSolver::Solve: Solve stops
// at its first solution and gives up after 250 branch points, while an
// answer here needs the whole tree up to a second solution. Each node keeps
// the digits placed per row, column and box as bit masks, fills naked and
// hidden singles from them, rules candidates out where a line crosses a box
// and by naked pairs, and branches on the empty cell with the fewest
// candidates. The two eliminations cost little per node and cut the trial
// digits of the hardest 16x16 puzzles of bench/data from 100000 and more to
// under 8000. The nodes live in one array made with the counter, so the
// search allocates nothing as it goes.
//
// A puzzle built to defeat the search could still take very long, so the
// number of trial digits is bounded; a count that reaches the bound is
// reported as undecided, never guessed.

#include <cstdint>
#include <memory>

#include "engine/CTBits.h"

namespace SolutionCount {
enum class Result {
  kBrokenRules,  // a digit stands twice in a row, column or box of the input
  kNone,
  kOne,
  kSeveral,
  kUndecided,  // the bound on trial digits was reached first
};
}  // namespace SolutionCount

template <unsigned N>
class CSolutionCounter {
 public:
  using Size = CTSize<N>;
  static constexpr std::uint32_t S = Size::S;
  static constexpr std::uint32_t CellCount = Size::CellCount;
  // Several times what the hardest puzzles we know need (about 1000 for
  // 9x9, 7500 for 16x16), and a few tenths of a second at most.
  static constexpr std::uint32_t kDefaultMaxGuesses = N == 4 ? 50000 : 100000;

  explicit CSolutionCounter(std::uint32_t maxGuesses = kDefaultMaxGuesses);
  ~CSolutionCounter();
  CSolutionCounter(const CSolutionCounter&) = delete;
  CSolutionCounter& operator=(const CSolutionCounter&) = delete;

  // values: CellCount bytes, kEmptyValue or a digit 0..S-1 (anything else
  // counts as empty). Stops at the second solution.
  SolutionCount::Result Count(const std::uint8_t* values);

  // The solution after a count of kOne (CellCount digits); otherwise
  // whatever the last search left there.
  const std::uint8_t* Solution() const { return m_solution; }
  // Trial digits the last count placed.
  std::uint32_t GetGuesses() const { return m_guesses; }

 private:
  struct Node;
  enum class Outcome { kSolved, kContradiction, kBranch };

  using Free = std::uint16_t[CellCount];

  static std::uint16_t Candidates(const Node& node, std::uint32_t cell);
  static void Place(Node& node, std::uint32_t cell, std::uint32_t digit);
  static Outcome Propagate(Node& node);
  static Outcome PlaceHiddenSingles(Node& node, const Free& free, bool& placed);
  // True when it ruled a candidate out.
  static bool RemoveByIntersections(Node& node, const Free& free);
  // Two cells of a group left with the same two digits take both: the
  // group's other cells lose them. True when it ruled a candidate out.
  static bool RemoveNakedPairs(Node& node, const Free& free);
  // The next untried digit of the node at depth, on a copy one deeper;
  // false when the node has none left.
  bool TryNextDigit(std::uint32_t depth);

  std::uint32_t m_maxGuesses;
  std::uint32_t m_guesses = 0;
  std::unique_ptr<Node[]> m_nodes;
  std::uint8_t m_solution[CellCount] = {};
};

extern template class CSolutionCounter<2>;
extern template class CSolutionCounter<3>;
extern template class CSolutionCounter<4>;
