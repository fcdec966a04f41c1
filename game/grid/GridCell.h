#pragma once
// One cell of the board as the player sees it.
//
// Values are 0-based. The solution byte is 0xFF while the solution is not
// known (a puzzle typed in before it has been solved), and the player's value
// is a signed byte so that "empty" reads as -1 and is tested as user < 0.

#include <bitset>
#include <cstdint>

namespace grid {

inline constexpr std::uint8_t kUnknownSolution = 0xFF;
inline constexpr std::int8_t kEmptyUserValue = -1;

// Highlight marks, read by the grid painter. kNeutralMarks means no
// highlighting is active; the other values are written by MarkGuideLines.
inline constexpr std::uint32_t kNeutralMarks = 16;
inline constexpr std::uint32_t kUnrelatedMark = 0;
inline constexpr std::uint32_t kRowOrBoxMark = 1;    // horizontal guide line
inline constexpr std::uint32_t kColumnMark = 2;      // vertical guide line
inline constexpr std::uint32_t kShowsValueMark = 8;  // the cell shows the value itself

template <unsigned N>
struct GridCell {
  static_assert(N >= 2 && N <= 4, "grids have boxes of 2, 3 or 4 cells a side");
  static constexpr std::uint32_t S = N * N;
  using Candidates = std::bitset<S>;
  static constexpr unsigned long long kAllCandidates = (1ull << S) - 1ull;

  std::uint8_t given = 0;  // non-zero for a clue of the puzzle
  std::uint8_t solution = kUnknownSolution;
  std::int8_t user = kEmptyUserValue;
  std::uint32_t marks = kNeutralMarks;
  Candidates candidates{kAllCandidates};

  bool HasUserValue() const { return user >= 0; }
  bool IsFilled() const { return given != 0 || HasUserValue(); }

  // What the cell shows: the solution of a clue, otherwise the player's value;
  // kUnknownSolution when it shows nothing (also a clue whose solution is
  // not known).
  std::uint8_t ShownValue() const {
    if (given != 0) return solution;
    return HasUserValue() ? static_cast<std::uint8_t>(user) : kUnknownSolution;
  }
};

}  // namespace grid
