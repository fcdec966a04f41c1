#pragma once
// Id 3: a digit that only one empty cell of the group can take goes there.
// Without a hint record every hidden single of the group is placed in one call.

#include "engine/CTPattern.h"

template <unsigned N>
class CTHiddenSinglePattern : public CTPattern<N> {
 public:
  bool Apply(CTGroup<N>& group, CHintInfo* hint) override;
  std::uint32_t GetId() const override { return PatternId::kHiddenSingle; }
};

extern template class CTHiddenSinglePattern<2>;
extern template class CTHiddenSinglePattern<3>;
extern template class CTHiddenSinglePattern<4>;
