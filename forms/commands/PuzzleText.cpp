#include "forms/commands/PuzzleText.h"

#include <algorithm>
#include <cctype>
#include <cstdint>

#include "game/grid/GridSymbols.h"

namespace {

bool IsSymbolOfSize(char symbol, std::uint32_t side) {
  return symbol == grid::kNoValueSymbol || grid::SymbolToValue(symbol) < side;
}

std::size_t CountTokens(std::string_view text) {
  std::size_t count = 0;
  bool inToken = false;
  for (const char c : text) {
    const bool blank = std::isspace(static_cast<unsigned char>(c)) != 0;
    if (!blank && !inToken) ++count;
    inToken = !blank;
  }
  return count;
}

}  // namespace

std::optional<GridText> ReadPuzzleText(std::string_view fileText) {
  std::optional<GridText> grid = ParseGridText(fileText);
  if (!grid) return std::nullopt;
  const std::uint32_t side = grid->boxSize * grid->boxSize;
  if (CountTokens(fileText) != side) return std::nullopt;
  if (!std::all_of(grid->cells.begin(), grid->cells.end(), [side](char c) { return IsSymbolOfSize(c, side); }))
    return std::nullopt;
  return grid;
}
