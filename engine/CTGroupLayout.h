#pragma once
// Table indexes of every row, column and box, computed once per size. The
// searches of the harder techniques and the solver's candidate bookkeeping
// walk groups many thousands of times per puzzle; reading a constant table is
// cheaper than asking a group view position by position, and gives the same
// cells in the same order as the views' CellGroupIndexToCellTableIndex.

#include <array>
#include <bit>
#include <cstdint>

#include "engine/CTBits.h"
#include "engine/GroupKind.h"

template <unsigned N>
struct CTGroupLayout {
  static constexpr std::uint32_t S = CTSize<N>::S;

  // cells[kind - 1][group][position] for kind 1 row, 2 column, 3 box.
  static constexpr auto cells = [] {
    std::array<std::array<std::array<std::uint32_t, S>, S>, 3> result{};
    for (std::uint32_t g = 0; g < S; ++g) {
      for (std::uint32_t p = 0; p < S; ++p) {
        result[0][g][p] = g * S + p;
        result[1][g][p] = p * S + g;
        result[2][g][p] = ((g / N) * N + p / N) * S + (g % N) * N + p % N;
      }
    }
    return result;
  }();

  // The S table indexes of group `index` of `kind` (GroupKind::kRow/kColumn/kBox).
  static constexpr const std::array<std::uint32_t, S>& Group(std::uint32_t kind, std::uint32_t index) {
    return cells[kind - 1][index];
  }

  // Sets of positions as bits (bit p = position p). Along a line the first N
  // positions lie in its first box; in a box they form the top row, and every
  // N-th position forms the left column. Shifted to a set's lowest position,
  // they tell whether the whole set stays inside one box, row or column.
  static constexpr std::uint16_t kFirstRun = static_cast<std::uint16_t>((1u << N) - 1u);
  static constexpr std::uint16_t kFirstColumn = [] {
    std::uint16_t positions = 0;
    for (std::uint32_t row = 0; row < N; ++row) positions = static_cast<std::uint16_t>(positions | 1u << (row * N));
    return positions;
  }();

  // places[d] = the positions of the group whose cell is empty and still has
  // candidate d. One pass over the group answers "where can d go" for every
  // digit, which the singles and intersections otherwise ask cell by cell.
  static void FindDigitPlaces(const std::uint8_t* values, const std::uint16_t* masks,
                              const std::array<std::uint32_t, S>& group, std::uint16_t (&places)[S]) {
    for (std::uint16_t& at : places) at = 0;
    for (std::uint32_t p = 0; p < S; ++p) {
      const std::uint32_t cell = group[p];
      if (values[cell] != kEmptyValue) continue;
      const std::uint16_t bit = kDigitBit[p];
      for (std::uint32_t digits = masks[cell] & CTSize<N>::FullMask; digits != 0; digits &= digits - 1) {
        std::uint16_t& at = places[std::countr_zero(digits)];
        at = static_cast<std::uint16_t>(at | bit);
      }
    }
  }

  // Number of set bits of a 16-bit mask (see CountBits16).
  static constexpr std::uint32_t CountBits(std::uint16_t mask) { return CountBits16(mask); }

  static constexpr std::uint32_t RowOf(std::uint32_t cell) { return cell / S; }
  static constexpr std::uint32_t ColumnOf(std::uint32_t cell) { return cell % S; }
  static constexpr std::uint32_t BoxOf(std::uint32_t cell) { return (cell / (S * N)) * N + (cell % S) / N; }

  // Row, column and box of every cell, for loops over the whole board.
  struct CellGroups {
    std::uint8_t row, column, box;
  };
  static constexpr auto groupsOf = [] {
    std::array<CellGroups, S * S> result{};
    for (std::uint32_t cell = 0; cell < S * S; ++cell) {
      result[cell] = {static_cast<std::uint8_t>(RowOf(cell)), static_cast<std::uint8_t>(ColumnOf(cell)),
                      static_cast<std::uint8_t>(BoxOf(cell))};
    }
    return result;
  }();
};
