#pragma once
// The text file form of a grid: S lines of S symbols ('0' no clue, '1'..'9',
// then 'A'..'G'), as the open and save-as commands read and write it.
//
// The reader goes by whitespace-separated tokens, not lines, so files with
// CR LF or LF line ends, trailing blanks or a missing last line end all read
// the same. The length of the first token gives the grid size.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct GridText {
  std::uint32_t boxSize = 0;  // N: 2, 3 or 4
  std::string cells;          // S*S symbols, row after row, unchecked
};

// The grid in a file's text. Nothing when the first token is not 4, 9 or 16
// characters long, when fewer than S tokens follow from it, or when one of
// them is not S characters long. Tokens after the S-th are not read. The
// symbols themselves are left to SetGridFromString, which takes anything
// that is not a clue of the size as an empty cell.
std::optional<GridText> ParseGridText(std::string_view fileText);

// S lines of S symbols, each ended by a line feed.
std::string FormatGridText(std::string_view cells, std::uint32_t side);
