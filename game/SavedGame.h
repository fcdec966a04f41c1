#pragma once
// "current_game.xml": the game in progress, written at shutdown and read at
// start-up.
//
//   <grid size="N" time="seconds" difficulty="level" game_already_solved="true|false">
//     S x <row> with S x <cell titular_value="true|false" user_value="-1..S-1"
//                               fixed_value="-1..S-1" candidate_values="mask"/>
//
// Values are 0-based with -1 for empty or unknown. No declaration, written in
// TinyXML's stream form. Marks, selection, hint and entry mode are not kept.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "game/grid/GridModel.h"

class TiXmlElement;

// A saved game of the largest grid is under 30 KB; the cap leaves room for a
// hand-edited, indented file.
inline constexpr std::size_t kMaxSavedGameBytes = 64 * 1024;

// An attribute of the document as a whole decimal number; nothing when it is
// missing, empty, has anything around the digits or does not fit.
std::optional<std::int64_t> SavedGameDecimal(const TiXmlElement& element, const char* name);

// The level a stored "difficulty" stands for: 0..4 as they are, any other
// number the highest, so the game always has a generator for its solver.
constexpr std::uint32_t SavedGameLevel(std::int64_t difficulty) {
  return difficulty >= 0 && difficulty <= 4 ? static_cast<std::uint32_t>(difficulty) : 5u;
}

// The game's own fields that travel with the cells.
struct SavedGameHeader {
  std::uint32_t time = 0;  // elapsed playing seconds
  bool solved = false;
  std::uint32_t level = 1;  // 0..5
};

// The document's text.
template <unsigned N>
std::string FormatSavedGame(const grid::GridModel<N>& grid, const SavedGameHeader& header);

// Resets every cell, then fills the grid and the header from the document.
// Never throws and never fails: a damaged document leaves the rest reset and
// the header fields it does not hold as they were.
// - A root "time" outside 0..2^31-1 is ignored; "difficulty" 0..4 is taken,
//   any other number becomes 5; "game_already_solved" is true only as "true".
// - Cells are taken in document order from the root's grandchildren, names
//   unchecked. A value outside 0..S-1 or an attribute that is missing or not
//   a number leaves that field reset.
// - More than S*S cells empty the whole grid again.
template <unsigned N>
void ParseSavedGame(std::string_view document, grid::GridModel<N>& grid, SavedGameHeader& header);

// Writes the file atomically; false when it could not be written (the old
// file, if any, is untouched).
template <unsigned N>
bool WriteSavedGame(const std::string& path, const grid::GridModel<N>& grid, const SavedGameHeader& header);

// Reads the file; a missing, unreadable, oversized or malformed file, or one
// that is not a regular file (a FIFO, a device), leaves the grid reset and
// the header as it was.  Paths here are the file system's bytes.
template <unsigned N>
void ReadSavedGame(const std::string& path, grid::GridModel<N>& grid, SavedGameHeader& header);
