#pragma once
// Grids for solver and generator tests: a known complete grid, checks that
// a board is a valid (partial) grid, and the board's values in the format of
// the solution oracle (tests/support/SolutionCounter.h).

#include <cstdint>
#include <vector>

#include "engine/CTBits.h"
#include "engine/CTTable.h"

template <unsigned N>
struct GridHelpers {
  static constexpr std::uint32_t S = N * N;
  static constexpr std::uint32_t Cells = S * S;

  // A valid complete grid (digits 0-based): each row shifts the previous one.
  static std::uint8_t Complete(std::uint32_t row, std::uint32_t column) {
    return static_cast<std::uint8_t>((row * N + row / N + column) % S);
  }

  static std::uint32_t BoxOf(std::uint32_t cell) { return (cell / S / N) * N + (cell % S) / N; }

  // No digit twice in a row, column or box; values are 255 or 0..S-1.
  static bool IsConsistent(const std::uint8_t* values) {
    std::uint32_t rows[S] = {}, columns[S] = {}, boxes[S] = {};
    for (std::uint32_t cell = 0; cell < Cells; ++cell) {
      const std::uint8_t v = values[cell];
      if (v == kEmptyValue) continue;
      if (v >= S) return false;
      const std::uint32_t bit = 1u << v;
      std::uint32_t& row = rows[cell / S];
      std::uint32_t& column = columns[cell % S];
      std::uint32_t& box = boxes[BoxOf(cell)];
      if ((row | column | box) & bit) return false;
      row |= bit;
      column |= bit;
      box |= bit;
    }
    return true;
  }

  static std::uint32_t CountFilled(const std::uint8_t* values) {
    std::uint32_t count = 0;
    for (std::uint32_t cell = 0; cell < Cells; ++cell) count += values[cell] != kEmptyValue;
    return count;
  }

  // The values as the solution oracle reads them: 1..S, 0 for an empty cell.
  static std::vector<unsigned char> AsGivens(const std::uint8_t* values) {
    std::vector<unsigned char> givens(Cells);
    for (std::uint32_t cell = 0; cell < Cells; ++cell) {
      givens[cell] = values[cell] == kEmptyValue ? 0 : static_cast<unsigned char>(values[cell] + 1);
    }
    return givens;
  }
};
