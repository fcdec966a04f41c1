#include "engine/CSolutionCounter.h"

#include <algorithm>
#include <iterator>

#include "engine/CTGroupLayout.h"

template <unsigned N>
struct CSolutionCounter<N>::Node {
  std::uint8_t values[CellCount];
  // Candidates not yet ruled out by an intersection; the placed digits of
  // the cell's row, column and box are taken away when they are read.
  std::uint16_t masks[CellCount];
  // Bit d: digit d stands in that row, column or box.
  std::uint16_t rows[S];
  std::uint16_t columns[S];
  std::uint16_t boxes[S];
  // The cell this node branches on and the digits not yet tried there.
  std::uint32_t branchCell;
  std::uint16_t untried;
};

namespace {

template <unsigned N>
using Layout = CTGroupLayout<N>;

// Digits that stand in exactly one of the masks.
template <typename Masks>
std::uint16_t InExactlyOne(const Masks& masks) {
  std::uint16_t once = 0;
  std::uint16_t twice = 0;
  for (const std::uint16_t mask : masks) {
    twice = static_cast<std::uint16_t>(twice | (once & mask));
    once = static_cast<std::uint16_t>(once | mask);
  }
  return static_cast<std::uint16_t>(once & ~twice);
}

}  // namespace

template <unsigned N>
CSolutionCounter<N>::CSolutionCounter(std::uint32_t maxGuesses)
    // Every trial places a digit, so the search is never deeper than the
    // number of cells.
    : m_maxGuesses(maxGuesses), m_nodes(new Node[CellCount + 1]) {}

template <unsigned N>
CSolutionCounter<N>::~CSolutionCounter() = default;

template <unsigned N>
std::uint16_t CSolutionCounter<N>::Candidates(const Node& node, std::uint32_t cell) {
  const auto& at = Layout<N>::groupsOf[cell];
  return static_cast<std::uint16_t>(node.masks[cell] &
                                    ~(node.rows[at.row] | node.columns[at.column] | node.boxes[at.box]));
}

template <unsigned N>
void CSolutionCounter<N>::Place(Node& node, std::uint32_t cell, std::uint32_t digit) {
  const auto& at = Layout<N>::groupsOf[cell];
  const std::uint16_t bit = kDigitBit[digit];
  node.values[cell] = static_cast<std::uint8_t>(digit);
  node.rows[at.row] |= bit;
  node.columns[at.column] |= bit;
  node.boxes[at.box] |= bit;
}

template <unsigned N>
typename CSolutionCounter<N>::Outcome CSolutionCounter<N>::PlaceHiddenSingles(Node& node, const Free& free,
                                                                              bool& placed) {
  // The groups are read from the candidates as they were before this pass:
  // a digit with one place then has at most that place now, so it goes
  // there, or nowhere, which is a contradiction.
  for (std::uint32_t kind = GroupKind::kRow; kind <= GroupKind::kBox; ++kind) {
    for (std::uint32_t g = 0; g < S; ++g) {
      const auto& group = Layout<N>::Group(kind, g);
      const std::uint16_t inGroup = kind == GroupKind::kRow      ? node.rows[g]
                                    : kind == GroupKind::kColumn ? node.columns[g]
                                                                 : node.boxes[g];
      // Digits free in at least one cell, and in at least two.
      std::uint16_t once = 0;
      std::uint16_t twice = 0;
      for (const std::uint32_t cell : group) {
        twice = static_cast<std::uint16_t>(twice | (once & free[cell]));
        once = static_cast<std::uint16_t>(once | free[cell]);
      }
      if ((once | inGroup) != Size::FullMask) return Outcome::kContradiction;  // a digit has no place
      for (std::uint32_t single = once & ~twice; single != 0; single &= single - 1) {
        const std::uint32_t digit = static_cast<std::uint32_t>(std::countr_zero(single));
        std::uint32_t target = 0;
        for (const std::uint32_t cell : group) {
          if (free[cell] & kDigitBit[digit]) {
            target = cell;
            break;
          }
        }
        if (node.values[target] == digit) continue;  // placed as the single of another group
        if (node.values[target] != kEmptyValue || !(Candidates(node, target) & kDigitBit[digit]))
          return Outcome::kContradiction;
        Place(node, target, digit);
        placed = true;
      }
    }
  }
  return Outcome::kBranch;
}

// Where a line crosses a box, the N cells are a segment. A digit whose places
// in a line all lie in one segment is not in the rest of that box, and one
// whose places in a box all lie in one segment is not in the rest of that
// line.
template <unsigned N>
bool CSolutionCounter<N>::RemoveByIntersections(Node& node, const Free& free) {
  // segments[kind][line][k]: candidates of the segment of the line (row or
  // column) in its k-th box along it.
  std::uint16_t segments[2][S][N] = {};
  for (std::uint32_t cell = 0; cell < CellCount; ++cell) {
    const std::uint32_t row = Layout<N>::RowOf(cell), column = Layout<N>::ColumnOf(cell);
    segments[0][row][column / N] |= free[cell];
    segments[1][column][row / N] |= free[cell];
  }
  bool removed = false;
  auto remove = [&](std::uint32_t cell, std::uint16_t digits) {
    if ((free[cell] & digits) == 0) return;
    node.masks[cell] = static_cast<std::uint16_t>(node.masks[cell] & ~digits);
    removed = true;
  };
  for (std::uint32_t kind = 0; kind < 2; ++kind) {
    // Cell of position `along` in line `line` of this kind.
    auto cellAt = [kind](std::uint32_t line, std::uint32_t along) {
      return kind == 0 ? line * S + along : along * S + line;
    };
    for (std::uint32_t line = 0; line < S; ++line) {
      const std::uint16_t locked = InExactlyOne(segments[kind][line]);
      if (locked == 0) continue;
      for (std::uint32_t k = 0; k < N; ++k) {
        const std::uint16_t here = segments[kind][line][k] & locked;
        if (here == 0) continue;
        // The box's other lines of this kind lose these digits in segment k.
        const std::uint32_t first = line / N * N;
        for (std::uint32_t other = first; other < first + N; ++other) {
          if (other == line) continue;
          for (std::uint32_t along = k * N; along < k * N + N; ++along) remove(cellAt(other, along), here);
        }
      }
    }
    for (std::uint32_t band = 0; band < N; ++band) {
      for (std::uint32_t k = 0; k < N; ++k) {
        // The N segments of box (band, k) along lines of this kind.
        std::uint16_t inBox[N];
        for (std::uint32_t i = 0; i < N; ++i) inBox[i] = segments[kind][band * N + i][k];
        const std::uint16_t locked = InExactlyOne(inBox);
        if (locked == 0) continue;
        for (std::uint32_t i = 0; i < N; ++i) {
          const std::uint16_t here = inBox[i] & locked;
          if (here == 0) continue;
          // The line loses these digits outside the box.
          for (std::uint32_t along = 0; along < S; ++along)
            if (along / N != k) remove(cellAt(band * N + i, along), here);
        }
      }
    }
  }
  return removed;
}

template <unsigned N>
bool CSolutionCounter<N>::RemoveNakedPairs(Node& node, const Free& free) {
  bool removed = false;
  for (std::uint32_t kind = GroupKind::kRow; kind <= GroupKind::kBox; ++kind) {
    for (std::uint32_t g = 0; g < S; ++g) {
      const auto& group = Layout<N>::Group(kind, g);
      for (std::uint32_t p = 0; p < S; ++p) {
        const std::uint16_t pair = free[group[p]];
        if (CountBits16(pair) != 2) continue;
        for (std::uint32_t q = p + 1; q < S; ++q) {
          if (free[group[q]] != pair) continue;
          for (std::uint32_t r = 0; r < S; ++r) {
            if (r == p || r == q || (free[group[r]] & pair) == 0) continue;
            node.masks[group[r]] = static_cast<std::uint16_t>(node.masks[group[r]] & ~pair);
            removed = true;
          }
        }
      }
    }
  }
  return removed;
}

template <unsigned N>
typename CSolutionCounter<N>::Outcome CSolutionCounter<N>::Propagate(Node& node) {
  // Candidates of every cell (none for a filled one), taken by the scan for
  // naked singles; the passes after it run only when that scan placed
  // nothing, so they are still those of the board.
  Free free;
  for (;;) {
    bool placed = false;
    std::uint32_t fewest = S + 1;
    std::uint32_t branchCell = CellCount;
    for (std::uint32_t cell = 0; cell < CellCount; ++cell) {
      free[cell] = 0;
      if (node.values[cell] != kEmptyValue) continue;
      const std::uint16_t candidates = Candidates(node, cell);
      if (candidates == 0) return Outcome::kContradiction;
      const std::uint32_t single = Size::SingleDigit(candidates);
      if (single != S) {
        Place(node, cell, single);
        placed = true;
        continue;
      }
      free[cell] = candidates;
      const std::uint32_t count = CountBits16(candidates);
      if (count < fewest) {
        fewest = count;
        branchCell = cell;
      }
    }
    if (placed) continue;
    if (branchCell == CellCount) return Outcome::kSolved;
    if (PlaceHiddenSingles(node, free, placed) == Outcome::kContradiction) return Outcome::kContradiction;
    if (placed || RemoveByIntersections(node, free) || RemoveNakedPairs(node, free)) continue;
    node.branchCell = branchCell;
    node.untried = free[branchCell];
    return Outcome::kBranch;
  }
}

template <unsigned N>
bool CSolutionCounter<N>::TryNextDigit(std::uint32_t depth) {
  Node& node = m_nodes[depth];
  if (node.untried == 0) return false;
  const std::uint32_t digit = static_cast<std::uint32_t>(std::countr_zero(node.untried));
  node.untried = static_cast<std::uint16_t>(node.untried & (node.untried - 1));
  Node& child = m_nodes[depth + 1];
  child = node;
  Place(child, node.branchCell, digit);
  ++m_guesses;
  return true;
}

template <unsigned N>
SolutionCount::Result CSolutionCounter<N>::Count(const std::uint8_t* values) {
  using SolutionCount::Result;
  m_guesses = 0;
  Node& root = m_nodes[0];
  std::fill(std::begin(root.values), std::end(root.values), kEmptyValue);
  std::fill(std::begin(root.masks), std::end(root.masks), Size::FullMask);
  std::fill(std::begin(root.rows), std::end(root.rows), 0);
  std::fill(std::begin(root.columns), std::end(root.columns), 0);
  std::fill(std::begin(root.boxes), std::end(root.boxes), 0);
  for (std::uint32_t cell = 0; cell < CellCount; ++cell) {
    const std::uint8_t digit = values[cell];
    if (!Size::IsDigit(digit)) continue;
    const auto& at = Layout<N>::groupsOf[cell];
    if ((root.rows[at.row] | root.columns[at.column] | root.boxes[at.box]) & kDigitBit[digit])
      return Result::kBrokenRules;
    Place(root, cell, digit);
  }

  std::uint32_t found = 0;
  std::uint32_t depth = 0;
  for (;;) {
    const Outcome outcome = Propagate(m_nodes[depth]);
    if (outcome == Outcome::kSolved) {
      if (++found == 2) return Result::kSeveral;
      std::copy(std::begin(m_nodes[depth].values), std::end(m_nodes[depth].values), m_solution);
    }
    if (outcome == Outcome::kBranch) {
      TryNextDigit(depth);  // a branch cell has at least two digits
      ++depth;
    } else {
      // Back up to the deepest node with a digit left to try.
      while (depth > 0 && !TryNextDigit(depth - 1)) --depth;
      if (depth == 0) return found == 1 ? Result::kOne : Result::kNone;
    }
    if (m_guesses > m_maxGuesses) return Result::kUndecided;
  }
}

template class CSolutionCounter<2>;
template class CSolutionCounter<3>;
template class CSolutionCounter<4>;
