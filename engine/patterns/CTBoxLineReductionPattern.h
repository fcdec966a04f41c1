#pragma once
// Id 4, on a row or a column: when every place of a digit along the line lies
// in one box, the rest of that box cannot hold the digit.

#include "engine/CTPattern.h"

template <unsigned N>
class CTBoxLineReductionPattern : public CTPattern<N> {
 public:
  bool Apply(CTGroup<N>& group, CHintInfo* hint) override;
  std::uint32_t GetId() const override { return PatternId::kBoxLineReduction; }
};

extern template class CTBoxLineReductionPattern<2>;
extern template class CTBoxLineReductionPattern<3>;
extern template class CTBoxLineReductionPattern<4>;
