#pragma once
// Id 12, on the whole board: a chain of empty cells with the same two
// candidates, each linked to the next through a shared row, column or box,
// alternates the two digits. The two ends of a chain of even length (4, 6,
// ...) therefore hold different digits, and a cell that sees both ends can
// hold neither.
//
// The search is deliberately narrow, and ratings depend on it: each group
// offers only its lowest unvisited partner, a link never uses the same kind
// of group twice in a row, and only cells off the ends' rows, columns and
// boxes in the patterns listed in Eliminate are examined.

#include <cstdint>

#include "engine/CTPattern.h"

template <unsigned N>
class CTRemotePairPattern : public CTPattern<N> {
 public:
  static constexpr std::uint32_t S = CTSize<N>::S;
  static constexpr std::uint32_t CellCount = CTSize<N>::CellCount;

  bool Apply(CTGroup<N>& group, CHintInfo* hint) override;
  std::uint32_t GetId() const override { return PatternId::kRemotePair; }

 private:
  bool Extend(std::uint32_t depth, std::uint32_t cell, std::uint32_t previousKind);
  bool Link(std::uint32_t depth, std::uint32_t kind, std::uint32_t groupIndex, std::uint32_t position,
            std::uint32_t cell);
  // Strips the pair from the cells that see both the start cell and `end`.
  bool Eliminate(std::uint32_t end);
  bool StripPair(std::uint32_t cell);

  CHintInfo* m_hint = nullptr;
  CTTable<N>* m_table = nullptr;
  std::uint32_t m_start = 0;
  std::uint8_t* m_visited = nullptr;  // S*S flags on the stack of one Apply
};

extern template class CTRemotePairPattern<2>;
extern template class CTRemotePairPattern<3>;
extern template class CTRemotePairPattern<4>;
