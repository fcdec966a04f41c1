#pragma once
// Ids 13, 14, 15, on the whole board: when a digit's places in k base lines
// all fall on the same k cover lines, the digit must take one place on each
// cover line inside the base lines, so the cover lines lose it everywhere
// else. Rows serve as base lines first, columns only when rows give nothing
// for every digit. Per digit only the first complete combination is tried;
// the narrow search is part of what the ratings measure.

#include <cstdint>

#include "engine/CTPattern.h"

template <unsigned N>
class CTFishSubsetPattern : public CTPattern<N> {
 public:
  static constexpr std::uint32_t S = CTSize<N>::S;

  explicit CTFishSubsetPattern(std::uint32_t size) : m_k(size) {}

  bool Apply(CTGroup<N>& group, CHintInfo* hint) override;

 private:
  bool ApplyOrientation(std::uint32_t baseKind);
  bool Search(std::uint32_t start, std::uint32_t depth, std::uint16_t cover);
  bool Eliminate();
  std::uint32_t CellAt(std::uint32_t baseLine, std::uint32_t position) const {
    return m_baseKind == GroupKind::kRow ? baseLine * S + position : position * S + baseLine;
  }

  CHintInfo* m_hint = nullptr;
  std::uint32_t m_k;
  std::uint32_t m_digit = 0;
  std::uint16_t m_cover = 0;        // bit p: cover line p
  std::uint16_t m_chosenLines = 0;  // bit q: base line q is part of the fish
  CTTable<N>* m_table = nullptr;
  std::uint32_t m_baseKind = GroupKind::kRow;
  const std::uint16_t* m_positions = nullptr;   // places of the digit along each base line
  std::uint16_t m_positionsByDigit[S][S] = {};  // [digit][base line]
};

template <unsigned N>
class CTXWingPattern : public CTFishSubsetPattern<N> {
 public:
  CTXWingPattern() : CTFishSubsetPattern<N>(2) {}
  std::uint32_t GetId() const override { return PatternId::kXWing; }
};

template <unsigned N>
class CTSwordfishPattern : public CTFishSubsetPattern<N> {
 public:
  CTSwordfishPattern() : CTFishSubsetPattern<N>(3) {}
  std::uint32_t GetId() const override { return PatternId::kSwordfish; }
};

template <unsigned N>
class CTJellyfishPattern : public CTFishSubsetPattern<N> {
 public:
  CTJellyfishPattern() : CTFishSubsetPattern<N>(4) {}
  std::uint32_t GetId() const override { return PatternId::kJellyfish; }
};

extern template class CTFishSubsetPattern<2>;
extern template class CTFishSubsetPattern<3>;
extern template class CTFishSubsetPattern<4>;
