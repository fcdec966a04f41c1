#pragma once
// A 9x9 board for technique tests: every cell starts empty with all nine
// candidates (a background on which no harder technique finds anything), and
// a test authors just the cells its layout needs.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>

#include "engine/CHintInfo.h"
#include "engine/CTTable.h"

struct MaskBoard {
  CTTable<3> table;

  void SetMask(std::uint32_t cell, std::uint16_t mask) {
    table.values[cell] = kEmptyValue;
    table.masks[cell] = mask;
  }
  void Fill(std::uint32_t cell, std::uint8_t digit = 0) {
    table.values[cell] = digit;
    table.masks[cell] = static_cast<std::uint16_t>(1u << digit);
  }
  std::array<std::uint16_t, 81> Masks() const {
    std::array<std::uint16_t, 81> masks{};
    std::copy(std::begin(table.masks), std::end(table.masks), masks.begin());
    return masks;
  }
};

// Every candidate the technique removed is reported by an effect item of that
// cell, and nothing else changed.
inline void ExpectEffectsMatchRemovals(const std::array<std::uint16_t, 81>& before,
                                       const std::array<std::uint16_t, 81>& after, const CHintInfo& hint) {
  std::array<std::uint16_t, 81> removed{};
  for (const HintItem& item : hint.GetItems()) {
    if (item.cause == kHintEffect) removed[item.cell] = static_cast<std::uint16_t>(removed[item.cell] | item.mask);
  }
  for (std::uint32_t cell = 0; cell < 81; ++cell) {
    EXPECT_EQ(after[cell], static_cast<std::uint16_t>(before[cell] & ~removed[cell])) << "cell " << cell;
  }
}
