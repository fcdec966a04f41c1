#pragma once
// Grids for solver and generator tests: a known complete grid, checks that
// a board is a valid (partial) grid, and an independent solution counter
// that shares no code with the engine's techniques or search.

#include <bit>
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

  // Counts solutions up to `limit` by backtracking: a digit with one place
  // left in a group is placed first, otherwise the cell with the fewest
  // candidates is tried digit by digit. The first solution found is left in
  // `first`.
  static std::uint32_t CountSolutions(const std::uint8_t* values, std::uint32_t limit,
                                      std::vector<std::uint8_t>* first = nullptr) {
    std::vector<std::uint8_t> grid(values, values + Cells);
    if (!IsConsistent(grid.data())) return 0;
    std::uint32_t found = 0;
    Search(grid, limit, found, first);
    return found;
  }

 private:
  static std::uint32_t GroupCell(std::uint32_t kind, std::uint32_t group, std::uint32_t p) {
    if (kind == 0) return group * S + p;
    if (kind == 1) return p * S + group;
    return ((group / N) * N + p / N) * S + (group % N) * N + p % N;
  }

  static void Search(std::vector<std::uint8_t>& grid, std::uint32_t limit, std::uint32_t& found,
                     std::vector<std::uint8_t>* first) {
    std::uint32_t rows[S] = {}, columns[S] = {}, boxes[S] = {};
    for (std::uint32_t cell = 0; cell < Cells; ++cell) {
      if (grid[cell] == kEmptyValue) continue;
      const std::uint32_t bit = 1u << grid[cell];
      rows[cell / S] |= bit;
      columns[cell % S] |= bit;
      boxes[BoxOf(cell)] |= bit;
    }
    std::uint32_t free[Cells] = {};
    std::uint32_t bestCell = Cells;
    int bestCount = static_cast<int>(S) + 1;
    for (std::uint32_t cell = 0; cell < Cells; ++cell) {
      if (grid[cell] != kEmptyValue) continue;
      free[cell] = ~(rows[cell / S] | columns[cell % S] | boxes[BoxOf(cell)]) & ((1u << S) - 1u);
      const int count = std::popcount(free[cell]);
      if (count == 0) return;
      if (count < bestCount) {
        bestCount = count;
        bestCell = cell;
      }
    }
    if (bestCell == Cells) {
      if (found++ == 0 && first) *first = grid;
      return;
    }
    std::uint32_t bestFree = free[bestCell];
    // A digit that a group still needs but can place only once, or nowhere.
    if (bestCount > 1) {
      for (std::uint32_t kind = 0; kind < 3; ++kind) {
        for (std::uint32_t group = 0; group < S; ++group) {
          const std::uint32_t placed = kind == 0 ? rows[group] : kind == 1 ? columns[group] : boxes[group];
          for (std::uint32_t d = 0; d < S; ++d) {
            if (placed & (1u << d)) continue;
            std::uint32_t places = 0;
            std::uint32_t where = Cells;
            for (std::uint32_t p = 0; p < S; ++p) {
              const std::uint32_t cell = GroupCell(kind, group, p);
              if (grid[cell] == kEmptyValue && (free[cell] & (1u << d))) {
                ++places;
                where = cell;
              }
            }
            if (places == 0) return;
            if (places == 1) {
              bestCell = where;
              bestFree = 1u << d;
              kind = 3;
              group = S;
              break;
            }
          }
        }
      }
    }
    for (std::uint32_t digits = bestFree; digits != 0 && found < limit; digits &= digits - 1) {
      grid[bestCell] = static_cast<std::uint8_t>(std::countr_zero(digits));
      Search(grid, limit, found, first);
    }
    grid[bestCell] = kEmptyValue;
  }
};
