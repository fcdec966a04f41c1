#include "engine/patterns/CTIllegalValuePattern.h"

template <unsigned N>
bool CTIllegalValuePattern<N>::Apply(CTGroup<N>& group, CHintInfo* hint) {
  using Size = CTSize<N>;
  constexpr std::uint32_t kUnseen = Size::S;
  std::uint32_t firstSeen[Size::S];
  for (std::uint32_t& position : firstSeen) position = kUnseen;

  for (std::uint32_t i = 0; i < Size::S; ++i) {
    const std::uint8_t digit = group.GetCell(i).GetValue();
    if (!Size::IsDigit(digit)) continue;
    if (firstSeen[digit] == kUnseen) {
      firstSeen[digit] = i;
      continue;
    }
    if (hint) {
      // The later cell first: the game swaps the flags when it is a given.
      hint->SetPatternId(PatternId::kIllegalValue);
      hint->AddItem(kHintEffect, group.GetKind(), group.CellGroupIndexToCellTableIndex(i), kDigitBit[digit]);
      hint->AddItem(kHintCause, group.GetKind(), group.CellGroupIndexToCellTableIndex(firstSeen[digit]),
                    kDigitBit[digit]);
    }
    return true;
  }
  return false;
}

template class CTIllegalValuePattern<2>;
template class CTIllegalValuePattern<3>;
template class CTIllegalValuePattern<4>;
