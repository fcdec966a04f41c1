#include "engine/CTBoxGroup.h"

#include "engine/CHintInfo.h"
#include "engine/CTLineGroup.h"

template <unsigned N>
bool CTBoxGroup<N>::ReduceLineByBox(CTLineGroup<N>& line, std::uint32_t digit, CHintInfo* hint) {
  const std::uint16_t bit = kDigitBit[digit];
  bool changed = false;
  for (std::uint32_t i = 0; i < S; ++i) {
    CTCell<N>& cell = line.GetCell(i);
    if (!cell.IsEmpty() || !cell.HasCandidate(digit)) continue;
    const std::uint32_t tableIndex = line.CellGroupIndexToCellTableIndex(i);
    if (line.GetBoxIndex(i) == this->m_index) {
      if (hint) hint->AddItem(kHintCause, GroupKind::kBox, tableIndex, bit);
    } else {
      cell.RemoveCandidate(digit);
      changed = true;
      if (hint) hint->AddItem(kHintEffect, line.GetKind(), tableIndex, bit);
    }
  }
  if (hint && !changed) hint->Discard();
  return changed;
}

template class CTBoxGroup<2>;
template class CTBoxGroup<3>;
template class CTBoxGroup<4>;
