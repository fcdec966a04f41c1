#pragma once
// Hint items as tuples, so that a whole finding compares in one expectation
// and a failure prints every item: {cause, kind, cell, mask}.

#include <cstdint>
#include <tuple>
#include <vector>

#include "engine/CHintInfo.h"

using ItemTuple = std::tuple<int, std::uint32_t, std::uint32_t, std::uint16_t>;

inline std::vector<ItemTuple> ItemsOf(const CHintInfo& hint) {
  std::vector<ItemTuple> items;
  for (const HintItem& item : hint.GetItems()) items.emplace_back(item.cause, item.kind, item.cell, item.mask);
  return items;
}

inline ItemTuple Cause(std::uint32_t kind, std::uint32_t cell, std::uint16_t mask) {
  return {kHintCause, kind, cell, mask};
}
inline ItemTuple Effect(std::uint32_t kind, std::uint32_t cell, std::uint16_t mask) {
  return {kHintEffect, kind, cell, mask};
}

// A candidate mask from a list of 0-based digits.
inline std::uint16_t Digits(std::initializer_list<unsigned> digits) {
  std::uint16_t mask = 0;
  for (unsigned d : digits) mask = static_cast<std::uint16_t>(mask | (1u << d));
  return mask;
}
