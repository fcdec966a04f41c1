#pragma once
// Kinds of group. A group object is a row, a column or a box; kTable appears
// only in hint items, for findings made on the whole board.

#include <cstdint>

namespace GroupKind {
inline constexpr std::uint32_t kTable = 0;
inline constexpr std::uint32_t kRow = 1;
inline constexpr std::uint32_t kColumn = 2;
inline constexpr std::uint32_t kBox = 3;
}  // namespace GroupKind
