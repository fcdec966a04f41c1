#pragma once
// Cell encoding shared by the whole engine: one byte per value (255 = empty,
// digits 0-based), one 16-bit candidate mask per cell (bit d = digit d).

#include <array>
#include <bit>
#include <cstdint>

// Marks a cell without a digit.
inline constexpr std::uint8_t kEmptyValue = 255;

// FindBranchCell's answer when no cell is empty.
inline constexpr std::uint32_t kNoBranchCell = 200000;

// The bit of digit d and its complement. One pair of tables serves every size:
// testing a candidate is an AND with the bit, removing it an AND with the
// complement.
inline constexpr std::array<std::uint16_t, 16> kDigitBit = [] {
  std::array<std::uint16_t, 16> bits{};
  for (unsigned d = 0; d < 16; ++d) bits[d] = static_cast<std::uint16_t>(1u << d);
  return bits;
}();

inline constexpr std::array<std::uint16_t, 16> kDigitBitComplement = [] {
  std::array<std::uint16_t, 16> bits{};
  for (unsigned d = 0; d < 16; ++d) bits[d] = static_cast<std::uint16_t>(~(1u << d));
  return bits;
}();

// Set bits per byte value. The default x86-64 target has no popcount
// instruction, and the library call std::popcount falls back on was a
// noticeable share of every solve; two lookups give the same count.
inline constexpr std::array<std::uint8_t, 256> kBitsInByte = [] {
  std::array<std::uint8_t, 256> bits{};
  for (unsigned b = 0; b < 256; ++b) {
    for (unsigned rest = b; rest != 0; rest &= rest - 1) ++bits[b];
  }
  return bits;
}();

// Number of set bits of a 16-bit mask.
constexpr std::uint32_t CountBits16(std::uint32_t mask) {
  return kBitsInByte[mask & 0xFFu] + kBitsInByte[(mask >> 8) & 0xFFu];
}

// Sizes that follow from the box size N: the side S, the number of cells and
// the mask that holds every digit of the side.
template <unsigned N>
struct CTSize {
  static_assert(N >= 2 && N <= 4, "the engine knows boxes of 2, 3 and 4 cells a side");
  static constexpr std::uint32_t S = N * N;
  static constexpr std::uint32_t CellCount = S * S;
  static constexpr std::uint16_t FullMask = static_cast<std::uint16_t>((1u << S) - 1u);

  // Number of digits of this size that the mask holds. Bits above the side
  // are not digits and never count.
  static constexpr std::uint32_t CountCandidates(std::uint16_t mask) { return CountBits16(mask & FullMask); }

  // The digit of a mask that holds exactly one digit, or S when it holds none
  // or several. Clearing the lowest bit tells "one" from "several" without a
  // bit count.
  static constexpr std::uint32_t SingleDigit(std::uint16_t mask) {
    const std::uint32_t digits = mask & FullMask;
    return digits != 0 && (digits & (digits - 1)) == 0 ? static_cast<std::uint32_t>(std::countr_zero(digits)) : S;
  }

  // The lowest digit of the mask, or S when it holds none.
  static constexpr std::uint32_t LowestDigit(std::uint16_t mask) {
    const std::uint16_t digits = static_cast<std::uint16_t>(mask & FullMask);
    return digits ? static_cast<std::uint32_t>(std::countr_zero(digits)) : S;
  }

  static constexpr bool IsDigit(std::uint8_t value) { return value < S; }
};
