#pragma once
// Id 1: an empty cell that still lists a digit placed elsewhere in its group.
// Removes exactly one such candidate per call.

#include "engine/CTPattern.h"

template <unsigned N>
class CTIllegalCandidatePattern : public CTPattern<N> {
 public:
  bool Apply(CTGroup<N>& group, CHintInfo* hint) override;
  std::uint32_t GetId() const override { return PatternId::kIllegalCandidate; }
};

extern template class CTIllegalCandidatePattern<2>;
extern template class CTIllegalCandidatePattern<3>;
extern template class CTIllegalCandidatePattern<4>;
