#include "engine/patterns/CTIllegalValuePattern.h"

#include "engine/CTGroupLayout.h"

template <unsigned N>
bool CTIllegalValuePattern<N>::Apply(CTGroup<N>& group, CHintInfo* hint) {
  using Size = CTSize<N>;
  const CTTable<N>& table = *group.GetTable();
  const auto& cells = CTGroupLayout<N>::Group(group.GetKind(), group.GetIndex());
  std::uint32_t seen = 0;
  for (std::uint32_t i = 0; i < Size::S; ++i) {
    const std::uint8_t digit = table.values[cells[i]];
    if (!Size::IsDigit(digit)) continue;
    if (!(seen & kDigitBit[digit])) {
      seen |= kDigitBit[digit];
      continue;
    }
    if (hint) {
      std::uint32_t first = 0;
      while (table.values[cells[first]] != digit) ++first;
      // The later cell first: the game swaps the flags when it is a given.
      hint->SetPatternId(PatternId::kIllegalValue);
      hint->AddItem(kHintEffect, group.GetKind(), cells[i], kDigitBit[digit]);
      hint->AddItem(kHintCause, group.GetKind(), cells[first], kDigitBit[digit]);
    }
    return true;
  }
  return false;
}

template class CTIllegalValuePattern<2>;
template class CTIllegalValuePattern<3>;
template class CTIllegalValuePattern<4>;
