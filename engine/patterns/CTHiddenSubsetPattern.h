#pragma once
// Ids 9, 10, 11, on a row, column or box: when k digits of the group can only
// go into the same k empty cells, those cells lose every other candidate.
// Combinations of cells are tried depth first in ascending position order.

#include <cstdint>

#include "engine/CTPattern.h"

template <unsigned N>
class CTHiddenSubsetPattern : public CTPattern<N> {
 public:
  static constexpr std::uint32_t S = CTSize<N>::S;

  explicit CTHiddenSubsetPattern(std::uint32_t subsetSize) : m_k(subsetSize) {}

  bool Apply(CTGroup<N>& group, CHintInfo* hint) override;

 private:
  // Searches the empty cells from list entry `start` on. `passedOver` holds
  // the digits of the empty cells that this combination skipped; with the
  // digits of the cells after the last chosen one they are the others.
  bool Search(std::uint32_t start, std::uint32_t depth, std::uint16_t unionMask, std::uint16_t passedOver,
              CHintInfo* hint);
  // Keeps only the hidden digits in the chosen cells. Each chosen cell gives
  // two hint items, its new mask as cause and what it lost as effect.
  bool Eliminate(std::uint16_t hidden, CHintInfo* hint);

  std::uint32_t m_k;
  std::uint8_t m_chosen[S] = {};
  CTGroup<N>* m_group = nullptr;
  // Positions (ascending) and masks of the group's empty cells, and for each
  // entry the union of the masks from that entry to the end.
  std::uint32_t m_emptyCount = 0;
  std::uint8_t m_emptyPositions[S] = {};
  std::uint16_t m_emptyMasks[S] = {};
  std::uint16_t m_masksFrom[S + 1] = {};
};

template <unsigned N>
class CTHiddenPairPattern : public CTHiddenSubsetPattern<N> {
 public:
  CTHiddenPairPattern() : CTHiddenSubsetPattern<N>(2) {}
  std::uint32_t GetId() const override { return PatternId::kHiddenPair; }
};

template <unsigned N>
class CTHiddenTriplePattern : public CTHiddenSubsetPattern<N> {
 public:
  CTHiddenTriplePattern() : CTHiddenSubsetPattern<N>(3) {}
  std::uint32_t GetId() const override { return PatternId::kHiddenTriple; }
};

template <unsigned N>
class CTHiddenQuadPattern : public CTHiddenSubsetPattern<N> {
 public:
  CTHiddenQuadPattern() : CTHiddenSubsetPattern<N>(4) {}
  std::uint32_t GetId() const override { return PatternId::kHiddenQuad; }
};

extern template class CTHiddenSubsetPattern<2>;
extern template class CTHiddenSubsetPattern<3>;
extern template class CTHiddenSubsetPattern<4>;
