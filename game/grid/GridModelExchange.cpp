// The byte and text forms of a grid. Input comes from puzzle packages and
// text files, so nothing in it is trusted: a value that is not a clue of
// this grid size must never reach the engine, whose group and bit arithmetic
// assumes values below S.

#include "game/grid/GridModel.h"
#include "game/grid/GridSymbols.h"

#include <algorithm>

namespace grid {

namespace {

template <unsigned N>
void SetClue(GridCell<N>& cell, std::uint32_t value) {
  if (value >= GridCell<N>::S) return;
  cell.solution = static_cast<std::uint8_t>(value);
  cell.given = 1;
}

}  // namespace

template <unsigned N>
void GridModel<N>::SetGridFromBytes(std::span<const std::uint8_t> bytes) {
  ResetAllCells();
  const std::size_t count = std::min<std::size_t>(bytes.size(), CellCount);
  for (std::size_t index = 0; index < count; ++index)
    if (bytes[index] != 0) SetClue(cells[index], bytes[index] - 1u);
}

template <unsigned N>
std::vector<std::uint8_t> GridModel<N>::GetGridBytes() const {
  std::vector<std::uint8_t> bytes(CellCount, 0);
  for (std::uint32_t index = 0; index < CellCount; ++index) {
    const Cell& cell = cells[index];
    if (cell.given != 0 && cell.solution < S) bytes[index] = static_cast<std::uint8_t>(cell.solution + 1);
  }
  return bytes;
}

template <unsigned N>
void GridModel<N>::SetGridFromString(std::string_view text) {
  ResetAllCells();
  const std::size_t count = std::min<std::size_t>(text.size(), CellCount);
  for (std::size_t index = 0; index < count; ++index) SetClue(cells[index], SymbolToValue(text[index]));
}

template <unsigned N>
std::string GridModel<N>::GetGridString() const {
  std::string text(CellCount, kNoValueSymbol);
  for (std::uint32_t index = 0; index < CellCount; ++index) {
    const std::uint8_t shown = cells[index].ShownValue();
    if (shown < S) text[index] = ValueToSymbol(shown);
  }
  return text;
}

// The class itself is instantiated with the other operations; only the
// members defined here are instantiated in this file.
#define TAVLIN_INSTANTIATE_GRID_EXCHANGE(N)                                    \
  template void GridModel<N>::SetGridFromBytes(std::span<const std::uint8_t>); \
  template std::vector<std::uint8_t> GridModel<N>::GetGridBytes() const;       \
  template void GridModel<N>::SetGridFromString(std::string_view);             \
  template std::string GridModel<N>::GetGridString() const;

TAVLIN_INSTANTIATE_GRID_EXCHANGE(2)
TAVLIN_INSTANTIATE_GRID_EXCHANGE(3)
TAVLIN_INSTANTIATE_GRID_EXCHANGE(4)
#undef TAVLIN_INSTANTIATE_GRID_EXCHANGE

}  // namespace grid
