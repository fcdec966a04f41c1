// The check of a puzzle text file before anything of it is used: exactly S
// lines of S symbols for a grid of S = 4, 9 or 16 cells a side, each symbol
// '0' (no clue) or a clue of that size ('1'..'4', '1'..'9', or '1'..'9' then
// 'A'..'G').
//
// The grid reader (game/GridText.h) takes the lines; this adds what it leaves
// to the grid: a symbol that is no clue of the size would silently become an
// empty cell, and lines after the S-th would be ignored.  Such a file is
// refused whole rather than read in part.
#pragma once

#include <optional>
#include <string_view>

#include "game/GridText.h"

std::optional<GridText> ReadPuzzleText(std::string_view fileText);
