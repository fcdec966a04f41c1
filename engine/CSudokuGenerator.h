#pragma once
// Makes a puzzle: first a random complete grid (MakeSolution: a few random
// seed digits, then a search), then digits are removed at random, keeping a
// removal only while the level's techniques still solve the grid without
// guessing, until the rating reaches the level's target (MakePuzzle). The
// level classes (CSudokuGeneratorLevels.h) choose the techniques and target.
//
// Randomness is rand() only, so a given srand seed always gives the same
// puzzle.

#include <cstdint>

#include "engine/CSudokuSolver.h"

template <unsigned N>
class CSudokuGenerator : public CSudokuSolver<N> {
 public:
  using typename CSudokuSolver<N>::Size;
  using CSudokuSolver<N>::S;
  static constexpr std::uint32_t CellCount = Size::CellCount;
  // Random seed digits placed before the search fills the grid.
  static constexpr std::uint32_t kSeedCount = N == 2 ? 4 : N == 3 ? 13 : 32;
  // Every 100 solved candidates the removal search backs up to this depth.
  static constexpr std::uint32_t kLevelLimit = N == 2 ? 4 : N == 3 ? 31 : 112;

  CSudokuGenerator() = default;

  // MakeSolution, then MakePuzzle. False only when cancelled while the
  // complete grid was being built. Afterwards the board holds the puzzle.
  virtual bool Generate(CProgressCallback* progress);

  // Fills the board with a random complete grid. False when cancelled.
  bool MakeSolution(CProgressCallback* progress);
  // Empties the board and places up to kSeedCount random digits that leave
  // every empty cell a candidate. Throws "Error in SetRandomTable" if that
  // still fails at the end.
  void SetRandomTable();
  // Removes digits from the complete grid on the board until the target is
  // reached, the removals run out, or the callback cancels; the best puzzle
  // found ends up on the board. Always true.
  bool MakePuzzle(CProgressCallback* progress);

  std::uint32_t GetIterations() const { return m_iterations; }
  std::uint32_t GetBestRating() const { return m_bestRating; }
  std::uint32_t GetTargetRating() const { return m_targetRating; }

 protected:
  void SetTargetRating(std::uint32_t rating) { m_targetRating = rating; }

 private:
  std::uint32_t m_iterations = 0;
  std::uint32_t m_bestRating = 0;
  std::uint32_t m_targetRating = 50;
  std::uint8_t m_bestValues[CellCount] = {};
};

extern template class CSudokuGenerator<2>;
extern template class CSudokuGenerator<3>;
extern template class CSudokuGenerator<4>;
