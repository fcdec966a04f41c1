#pragma once
// One cell as it was before an undoable command changed it: what the
// command's Undo writes back. Marks are not kept; they are recomputed.

#include <cstdint>

struct CellChange {
  std::uint8_t given = 0;
  std::uint8_t solution = 0xFF;
  std::int8_t user = -1;
  std::uint32_t cell = 0;
  std::uint16_t candidates = 0;  // bit v = value v, S bits used
};
