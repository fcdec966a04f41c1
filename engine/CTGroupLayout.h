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

inline constexpr std::array<std::uint8_t, 256> kBitsInByte = [] {
  std::array<std::uint8_t, 256> bits{};
  for (unsigned b = 0; b < 256; ++b) bits[b] = static_cast<std::uint8_t>((b & 1u) + ((b >> 1) & 1u) + ((b >> 2) & 1u) +
                                                                        ((b >> 3) & 1u) + ((b >> 4) & 1u) +
                                                                        ((b >> 5) & 1u) + ((b >> 6) & 1u) + (b >> 7));
  return bits;
}();

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

  // Number of set bits of a 16-bit mask. A table lookup: the default x86-64
  // target has no popcount instruction, and the library call it falls back
  // on dominated the subset searches.
  static constexpr std::uint32_t CountBits(std::uint16_t mask) {
    return kBitsInByte[mask & 0xFFu] + kBitsInByte[mask >> 8];
  }

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
