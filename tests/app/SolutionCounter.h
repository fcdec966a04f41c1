#pragma once
// Counts the solutions of a grid by plain search, up to a limit.  It shares
// nothing with the engine, so it can check what the engine made.

#include <cstdint>
#include <vector>

class SolutionCounter {
 public:
  // cells: S*S bytes in cell order, 0 for an empty cell, 1..S for a given.
  SolutionCounter(int boxSize, const unsigned char* cells)
      : boxSize_(boxSize), side_(boxSize * boxSize), grid_(cells, cells + side_ * side_),
        rows_(side_), columns_(side_), boxes_(side_) {
    for (int cell = 0; cell < side_ * side_; ++cell) {
      if (grid_[cell] == 0) continue;
      const std::uint32_t bit = Bit(grid_[cell]);
      if ((Used(cell) & bit) != 0) consistent_ = false;
      Place(cell, bit);
    }
  }

  // No digit stands twice in a row, column or box.
  bool Consistent() const { return consistent_; }

  // The number of solutions, counting stops at limit; the first solution
  // found is kept.
  int Count(int limit) {
    if (!consistent_) return 0;
    found_ = 0;
    limit_ = limit;
    Search();
    return found_;
  }

  const std::vector<int>& FirstSolution() const { return firstSolution_; }

 private:
  static std::uint32_t Bit(int digit) { return 1u << (digit - 1); }
  int Row(int cell) const { return cell / side_; }
  int Column(int cell) const { return cell % side_; }
  int Box(int cell) const { return Row(cell) / boxSize_ * boxSize_ + Column(cell) / boxSize_; }
  std::uint32_t Used(int cell) const { return rows_[Row(cell)] | columns_[Column(cell)] | boxes_[Box(cell)]; }
  void Place(int cell, std::uint32_t bit) {
    rows_[Row(cell)] |= bit;
    columns_[Column(cell)] |= bit;
    boxes_[Box(cell)] |= bit;
  }
  void Remove(int cell, std::uint32_t bit) {
    rows_[Row(cell)] &= ~bit;
    columns_[Column(cell)] &= ~bit;
    boxes_[Box(cell)] &= ~bit;
  }

  void Search() {
    // Branch on the empty cell with the fewest candidates.
    const std::uint32_t full = (1u << side_) - 1;
    int best = -1;
    int bestCount = side_ + 1;
    std::uint32_t bestCandidates = 0;
    for (int cell = 0; cell < side_ * side_; ++cell) {
      if (grid_[cell] != 0) continue;
      const std::uint32_t candidates = ~Used(cell) & full;
      const int count = __builtin_popcount(candidates);
      if (count < bestCount) {
        best = cell;
        bestCount = count;
        bestCandidates = candidates;
        if (count <= 1) break;
      }
    }
    if (best < 0) {
      if (found_++ == 0) firstSolution_ = grid_;
      return;
    }
    for (int digit = 1; digit <= side_ && found_ < limit_; ++digit) {
      const std::uint32_t bit = Bit(digit);
      if ((bestCandidates & bit) == 0) continue;
      grid_[best] = digit;
      Place(best, bit);
      Search();
      Remove(best, bit);
      grid_[best] = 0;
    }
  }

  int boxSize_;
  int side_;
  std::vector<int> grid_;
  std::vector<std::uint32_t> rows_, columns_, boxes_;
  bool consistent_ = true;
  int found_ = 0;
  int limit_ = 0;
  std::vector<int> firstSolution_;
};
