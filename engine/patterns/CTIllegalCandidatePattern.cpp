#include "engine/patterns/CTIllegalCandidatePattern.h"

#include "engine/CTGroupLayout.h"

template <unsigned N>
bool CTIllegalCandidatePattern<N>::Apply(CTGroup<N>& group, CHintInfo* hint) {
  using Size = CTSize<N>;
  CTTable<N>& table = *group.GetTable();
  const auto& cells = CTGroupLayout<N>::Group(group.GetKind(), group.GetIndex());
  // The usual answer is "nothing": tell it from the placed digits and the
  // candidates of the empty cells before looking for the first pair.
  std::uint32_t placed = 0;
  std::uint32_t open = 0;
  for (std::uint32_t cell : cells) {
    const std::uint8_t value = table.values[cell];
    if (value == kEmptyValue) {
      open |= table.masks[cell];
    } else if (Size::IsDigit(value)) {
      placed |= kDigitBit[value];
    }
  }
  if ((placed & open) == 0) return false;

  for (std::uint32_t i = 0; i < Size::S; ++i) {
    const std::uint8_t digit = table.values[cells[i]];
    if (!Size::IsDigit(digit) || !(open & kDigitBit[digit])) continue;
    for (std::uint32_t j = 0; j < Size::S; ++j) {
      const std::uint32_t cell = cells[j];
      if (table.values[cell] != kEmptyValue || !(table.masks[cell] & kDigitBit[digit])) continue;
      table.masks[cell] &= kDigitBitComplement[digit];
      if (hint) {
        hint->SetPatternId(PatternId::kIllegalCandidate);
        hint->AddItem(kHintCause, group.GetKind(), cells[i], kDigitBit[digit]);
        hint->AddItem(kHintEffect, group.GetKind(), cell, kDigitBit[digit]);
      }
      return true;
    }
  }
  return false;
}

template class CTIllegalCandidatePattern<2>;
template class CTIllegalCandidatePattern<3>;
template class CTIllegalCandidatePattern<4>;
