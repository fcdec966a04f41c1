#pragma once
// The one-character symbols of values in the text form of a grid: '1'..'9'
// for the values 0..8, then 'A'..'G' for 9..15. '0' stands for no value.

#include <cstdint>

namespace grid {

inline constexpr char kNoValueSymbol = '0';
// SymbolToValue's answer for '0' and for anything that is not a symbol.
inline constexpr std::uint32_t kNotAValue = 0xFF;

constexpr char ValueToSymbol(std::uint32_t value) {
  return value < 9 ? static_cast<char>('1' + value) : static_cast<char>('A' + (value - 9));
}

constexpr std::uint32_t SymbolToValue(char symbol) {
  if (symbol >= '1' && symbol <= '9') return static_cast<std::uint32_t>(symbol - '1');
  if (symbol >= 'A' && symbol <= 'G') return static_cast<std::uint32_t>(9 + (symbol - 'A'));
  return kNotAValue;
}

}  // namespace grid
