#pragma once
// Ids 6, 7, 8, on a row, column or box: k empty cells whose candidates
// together hold only k digits take those digits, so every other empty cell of
// the group loses them. Combinations are tried depth first in ascending
// position order; the first one that removes something wins.

#include <cstdint>

#include "engine/CTPattern.h"

template <unsigned N>
class CTNakedSubsetPattern : public CTPattern<N> {
 public:
  static constexpr std::uint32_t S = CTSize<N>::S;

  explicit CTNakedSubsetPattern(std::uint32_t subsetSize) : m_k(subsetSize) {}

  bool Apply(CTGroup<N>& group, CHintInfo* hint) override;

  // Removes the union's digits from the group's other empty cells; with a
  // hint record lists chosen cells as causes and changed cells as effects,
  // by position. True when a candidate was removed.
  virtual bool Eliminate(std::uint16_t unionMask, CHintInfo* hint);

 private:
  // Searches the candidate cells from list entry `start` on.
  bool Search(std::uint32_t start, std::uint32_t depth, std::uint16_t unionMask, CHintInfo* hint);

  CTGroup<N>* m_group = nullptr;
  std::uint32_t m_k;
  std::uint8_t m_chosen[S] = {};
  // Positions (ascending) of the empty cells with at most k candidates, and
  // their masks: the only cells a combination can take.
  std::uint32_t m_candidateCount = 0;
  std::uint8_t m_candidatePositions[S] = {};
  std::uint16_t m_candidateMasks[S] = {};
};

template <unsigned N>
class CTNakedPairPattern : public CTNakedSubsetPattern<N> {
 public:
  CTNakedPairPattern() : CTNakedSubsetPattern<N>(2) {}
  std::uint32_t GetId() const override { return PatternId::kNakedPair; }
};

template <unsigned N>
class CTNakedTriplePattern : public CTNakedSubsetPattern<N> {
 public:
  CTNakedTriplePattern() : CTNakedSubsetPattern<N>(3) {}
  std::uint32_t GetId() const override { return PatternId::kNakedTriple; }
};

template <unsigned N>
class CTNakedQuadPattern : public CTNakedSubsetPattern<N> {
 public:
  CTNakedQuadPattern() : CTNakedSubsetPattern<N>(4) {}
  std::uint32_t GetId() const override { return PatternId::kNakedQuad; }
};

extern template class CTNakedSubsetPattern<2>;
extern template class CTNakedSubsetPattern<3>;
extern template class CTNakedSubsetPattern<4>;
