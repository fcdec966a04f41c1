#pragma once
// Id 5, on a box: when every place of a digit in the box lies on one row (or
// one column), the rest of that line cannot hold the digit.

#include "engine/CTPattern.h"

template <unsigned N>
class CTPointingPairPattern : public CTPattern<N> {
 public:
  bool Apply(CTGroup<N>& group, CHintInfo* hint) override;
  std::uint32_t GetId() const override { return PatternId::kPointingPair; }
};

extern template class CTPointingPairPattern<2>;
extern template class CTPointingPairPattern<3>;
extern template class CTPointingPairPattern<4>;
