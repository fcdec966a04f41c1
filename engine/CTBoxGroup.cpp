#include "engine/CTBoxGroup.h"

#include "engine/CHintInfo.h"
#include "engine/CTGroupLayout.h"
#include "engine/CTLineGroup.h"

template <unsigned N>
bool CTBoxGroup<N>::ReduceLineByBox(CTLineGroup<N>& line, std::uint32_t digit, CHintInfo* hint) {
  // The line's own board and cells, read from the arrays in the line's
  // position order (the order of the hint items).
  using Layout = CTGroupLayout<N>;
  CTTable<N>& table = *line.GetTable();
  const std::uint32_t kind = line.GetKind();
  const std::uint16_t bit = kDigitBit[digit];
  bool changed = false;
  for (std::uint32_t cell : Layout::Group(kind, line.GetIndex())) {
    if (table.values[cell] != kEmptyValue || !(table.masks[cell] & bit)) continue;
    if (Layout::BoxOf(cell) == this->m_index) {
      if (hint) hint->AddItem(kHintCause, GroupKind::kBox, cell, bit);
    } else {
      table.masks[cell] &= kDigitBitComplement[digit];
      changed = true;
      if (hint) hint->AddItem(kHintEffect, kind, cell, bit);
    }
  }
  if (hint && !changed) hint->Discard();
  return changed;
}

template class CTBoxGroup<2>;
template class CTBoxGroup<3>;
template class CTBoxGroup<4>;
