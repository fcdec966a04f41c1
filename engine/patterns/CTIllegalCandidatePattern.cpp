#include "engine/patterns/CTIllegalCandidatePattern.h"

template <unsigned N>
bool CTIllegalCandidatePattern<N>::Apply(CTGroup<N>& group, CHintInfo* hint) {
  using Size = CTSize<N>;
  for (std::uint32_t i = 0; i < Size::S; ++i) {
    const std::uint8_t digit = group.GetCell(i).GetValue();
    if (!Size::IsDigit(digit)) continue;
    for (std::uint32_t j = 0; j < Size::S; ++j) {
      CTCell<N>& cell = group.GetCell(j);
      if (!cell.IsEmpty() || !cell.HasCandidate(digit)) continue;
      cell.RemoveCandidate(digit);
      if (hint) {
        hint->SetPatternId(PatternId::kIllegalCandidate);
        hint->AddItem(kHintCause, group.GetKind(), group.CellGroupIndexToCellTableIndex(i), kDigitBit[digit]);
        hint->AddItem(kHintEffect, group.GetKind(), group.CellGroupIndexToCellTableIndex(j), kDigitBit[digit]);
      }
      return true;
    }
  }
  return false;
}

template class CTIllegalCandidatePattern<2>;
template class CTIllegalCandidatePattern<3>;
template class CTIllegalCandidatePattern<4>;
