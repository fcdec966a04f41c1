#pragma once
// The tests' solution oracle: counts the solutions of a grid, up to a limit,
// by search with naked and hidden singles at every node.  It shares nothing
// with the engine, so it can check what the engine made.
//
// A grid is S*S bytes in cell order (column + row * S), 0 for an empty cell
// and 1..S for a given, S being the square of the box size: the format of the
// puzzle packages.

#include <array>
#include <bit>
#include <cstdint>
#include <vector>

class SolutionCounter {
 public:
  SolutionCounter(int boxSize, const unsigned char* cells)
      : side_(boxSize * boxSize),
        full_((1u << side_) - 1),
        grid_(cells, cells + side_ * side_),
        used_(3 * side_),
        units_(3 * side_),
        cellUnits_(side_ * side_) {
    for (int cell = 0; cell < side_ * side_; ++cell) {
      const int row = cell / side_;
      const int column = cell % side_;
      cellUnits_[cell] = {row, side_ + column, 2 * side_ + row / boxSize * boxSize + column / boxSize};
      for (int unit : cellUnits_[cell]) units_[unit].push_back(cell);
    }
    for (int cell = 0; cell < side_ * side_; ++cell) {
      const int digit = grid_[cell];
      if (digit == 0) continue;
      if (digit > side_ || (Used(cell) & Bit(digit)) != 0) {
        consistent_ = false;
        continue;
      }
      Place(cell, digit);
    }
  }

  // Every given is a digit of the grid, and none stands twice in a row,
  // column or box.
  bool Consistent() const { return consistent_; }

  // The number of solutions, 0 for an inconsistent grid; counting stops at
  // limit.  The first solution found is kept.
  int Count(int limit) {
    if (!consistent_) return 0;
    found_ = 0;
    limit_ = limit;
    Search();
    return found_;
  }

  // Digits 1..S in cell order; empty until a solution has been found.
  const std::vector<int>& FirstSolution() const { return firstSolution_; }

 private:
  static std::uint32_t Bit(int digit) { return 1u << (digit - 1); }
  static int DigitOf(std::uint32_t bit) { return std::countr_zero(bit) + 1; }

  std::uint32_t Used(int cell) const {
    std::uint32_t used = 0;
    for (int unit : cellUnits_[cell]) used |= used_[unit];
    return used;
  }
  std::uint32_t Candidates(int cell) const { return ~Used(cell) & full_; }
  void Place(int cell, int digit) {
    grid_[cell] = digit;
    for (int unit : cellUnits_[cell]) used_[unit] |= Bit(digit);
  }
  void Remove(int cell) {
    for (int unit : cellUnits_[cell]) used_[unit] &= ~Bit(grid_[cell]);
    grid_[cell] = 0;
  }

  // Places every naked and hidden single, recording them in placed; false
  // at a contradiction.
  bool Propagate(std::vector<int>& placed) {
    for (bool changed = true; changed;) {
      changed = false;
      for (int cell = 0; cell < side_ * side_; ++cell) {
        if (grid_[cell] != 0) continue;
        const std::uint32_t candidates = Candidates(cell);
        if (candidates == 0) return false;
        if (std::has_single_bit(candidates)) {
          Place(cell, DigitOf(candidates));
          placed.push_back(cell);
          changed = true;
        }
      }
      for (int unit = 0; unit < 3 * side_; ++unit) {
        std::uint32_t once = 0, twice = 0;
        for (int cell : units_[unit]) {
          if (grid_[cell] != 0) continue;
          const std::uint32_t candidates = Candidates(cell);
          twice |= once & candidates;
          once |= candidates;
        }
        const std::uint32_t open = full_ & ~used_[unit];
        if ((open & ~once) != 0) return false;  // a digit with no place left
        const std::uint32_t singles = open & ~twice;
        if (singles == 0) continue;
        const std::uint32_t bit = singles & (~singles + 1);
        for (int cell : units_[unit]) {
          if (grid_[cell] == 0 && (Candidates(cell) & bit) != 0) {
            Place(cell, DigitOf(bit));
            placed.push_back(cell);
            changed = true;
            break;
          }
        }
      }
    }
    return true;
  }

  // Propagates, branches, then takes back what it placed, so the grid is as
  // it was on return.
  void Search() {
    std::vector<int> placed;
    if (Propagate(placed)) Branch();
    for (auto cell = placed.rbegin(); cell != placed.rend(); ++cell) Remove(*cell);
  }

  // Tries each candidate of the empty cell with the fewest; with no empty
  // cell left, the grid is a solution.
  void Branch() {
    int best = -1;
    int bestCount = side_ + 1;
    for (int cell = 0; cell < side_ * side_; ++cell) {
      if (grid_[cell] != 0) continue;
      const int count = std::popcount(Candidates(cell));
      if (count < bestCount) {
        best = cell;
        bestCount = count;
      }
    }
    if (best < 0) {
      if (found_++ == 0) firstSolution_ = grid_;
      return;
    }
    const std::uint32_t candidates = Candidates(best);
    for (int digit = 1; digit <= side_ && found_ < limit_; ++digit) {
      if ((candidates & Bit(digit)) == 0) continue;
      Place(best, digit);
      Search();
      Remove(best);
    }
  }

  int side_;
  std::uint32_t full_;
  std::vector<int> grid_;
  std::vector<std::uint32_t> used_;            // the digits placed in each row, column and box
  std::vector<std::vector<int>> units_;        // the cells of each row, column and box
  std::vector<std::array<int, 3>> cellUnits_;  // the row, column and box of each cell
  bool consistent_ = true;
  int found_ = 0;
  int limit_ = 0;
  std::vector<int> firstSolution_;
};
