#include "engine/patterns/CTNakedSinglePattern.h"

template <unsigned N>
bool CTNakedSinglePattern<N>::Apply(CTGroup<N>& group, CHintInfo* hint) {
  using Size = CTSize<N>;
  CTTable<N>& table = *group.GetTable();
  bool placed = false;
  for (std::uint32_t cell = 0; cell < Size::CellCount; ++cell) {
    if (table.values[cell] != kEmptyValue) continue;
    const std::uint32_t digit = Size::SingleDigit(table.masks[cell]);
    if (digit == Size::S) continue;
    table.values[cell] = static_cast<std::uint8_t>(digit);
    ++this->m_usage;
    placed = true;
    if (hint) {
      hint->AddItem(kHintCause, GroupKind::kTable, cell, table.masks[cell]);
      hint->SetPatternId(PatternId::kNakedSingle);
      return true;
    }
  }
  return placed;
}

template class CTNakedSinglePattern<2>;
template class CTNakedSinglePattern<3>;
template class CTNakedSinglePattern<4>;
