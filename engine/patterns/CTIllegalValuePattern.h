#pragma once
// Id 0: a digit standing twice in one group. Reports the first such pair and
// leaves the board alone.

#include "engine/CTPattern.h"

template <unsigned N>
class CTIllegalValuePattern : public CTPattern<N> {
 public:
  bool Apply(CTGroup<N>& group, CHintInfo* hint) override;
  std::uint32_t GetId() const override { return PatternId::kIllegalValue; }
};

extern template class CTIllegalValuePattern<2>;
extern template class CTIllegalValuePattern<3>;
extern template class CTIllegalValuePattern<4>;
