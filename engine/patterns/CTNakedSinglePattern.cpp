#include "engine/patterns/CTNakedSinglePattern.h"

namespace {

// Whether any empty cell holds exactly one candidate. Most calls find none;
// a pass without a branch per cell answers that cheaply.
template <unsigned N>
bool AnyNakedSingle(const CTTable<N>& table) {
  using Size = CTSize<N>;
  std::uint32_t found = 0;
  for (std::uint32_t cell = 0; cell < Size::CellCount; ++cell) {
    const std::uint32_t digits = table.masks[cell] & Size::FullMask;
    found |= (table.values[cell] == kEmptyValue) & (digits != 0) & ((digits & (digits - 1)) == 0);
  }
  return found != 0;
}

}  // namespace

template <unsigned N>
bool CTNakedSinglePattern<N>::Apply(CTGroup<N>& group, CHintInfo* hint) {
  using Size = CTSize<N>;
  CTTable<N>& table = *group.GetTable();
  if (!AnyNakedSingle(table)) return false;
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
