#pragma once
// Id 2, on the whole board: an empty cell with one candidate gets it. Peers
// keep their candidates; the next candidate update removes the digit there.
// Without a hint record every naked single of the board is placed in one call.

#include "engine/CTPattern.h"

template <unsigned N>
class CTNakedSinglePattern : public CTPattern<N> {
 public:
  bool Apply(CTGroup<N>& group, CHintInfo* hint) override;
  std::uint32_t GetId() const override { return PatternId::kNakedSingle; }
};

extern template class CTNakedSinglePattern<2>;
extern template class CTNakedSinglePattern<3>;
extern template class CTNakedSinglePattern<4>;
