#include "engine/patterns/CTBoxLineReductionPattern.h"

template <unsigned N>
bool CTBoxLineReductionPattern<N>::Apply(CTGroup<N>& group, CHintInfo* hint) {
  using Size = CTSize<N>;
  constexpr std::uint32_t kNoBox = Size::S;
  for (std::uint32_t digit = 0; digit < Size::S; ++digit) {
    std::uint32_t box = kNoBox;
    bool oneBox = true;
    for (std::uint32_t i = 0; i < Size::S && oneBox; ++i) {
      const CTCell<N>& cell = group.GetCell(i);
      if (!cell.IsEmpty() || !cell.HasCandidate(digit)) continue;
      const std::uint32_t cellBox = group.GetBoxIndex(i);
      if (box == kNoBox) box = cellBox;
      oneBox = cellBox == box;
    }
    if (!oneBox || box == kNoBox) continue;
    if (group.ReduceBoxByLine(box, digit, hint)) {
      ++this->m_usage;
      if (hint) hint->SetPatternId(PatternId::kBoxLineReduction);
      return true;
    }
  }
  return false;
}

template class CTBoxLineReductionPattern<2>;
template class CTBoxLineReductionPattern<3>;
template class CTBoxLineReductionPattern<4>;
