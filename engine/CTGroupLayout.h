#pragma once
// Table indexes of every row, column and box, computed once per size. The
// searches of the harder techniques and the solver's candidate bookkeeping
// walk groups many thousands of times per puzzle; reading a constant table is
// cheaper than asking a group view position by position, and gives the same
// cells in the same order as the views' CellGroupIndexToCellTableIndex.

#include <array>
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

  static constexpr std::uint32_t RowOf(std::uint32_t cell) { return cell / S; }
  static constexpr std::uint32_t ColumnOf(std::uint32_t cell) { return cell % S; }
  static constexpr std::uint32_t BoxOf(std::uint32_t cell) { return (cell / (S * N)) * N + (cell % S) / N; }
};
