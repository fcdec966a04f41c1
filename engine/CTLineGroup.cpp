#include "engine/CTLineGroup.h"

#include "engine/CHintInfo.h"

template <unsigned N>
bool CTLineGroup<N>::ReduceBoxByLine(std::uint32_t box, std::uint32_t digit, CHintInfo* hint) {
  CTTable<N>& table = *this->m_table;
  const std::uint16_t bit = kDigitBit[digit];
  const std::uint32_t firstRow = (box / N) * N;
  const std::uint32_t firstColumn = (box % N) * N;
  bool changed = false;
  for (std::uint32_t column = firstColumn; column < firstColumn + N; ++column) {
    for (std::uint32_t row = firstRow; row < firstRow + N; ++row) {
      const std::uint32_t cell = row * S + column;
      if (table.values[cell] != kEmptyValue || !(table.masks[cell] & bit)) continue;
      if (LiesOnLine(row, column)) {
        if (hint) hint->AddItem(kHintCause, this->m_kind, cell, bit);
      } else {
        table.masks[cell] &= kDigitBitComplement[digit];
        changed = true;
        if (hint) hint->AddItem(kHintEffect, GroupKind::kBox, cell, bit);
      }
    }
  }
  if (hint && !changed) hint->Discard();
  return changed;
}

template class CTLineGroup<2>;
template class CTLineGroup<3>;
template class CTLineGroup<4>;
