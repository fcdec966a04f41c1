#include "engine/patterns/CTHiddenSinglePattern.h"

#include <bit>

#include "engine/CTGroupLayout.h"

template <unsigned N>
bool CTHiddenSinglePattern<N>::Apply(CTGroup<N>& group, CHintInfo* hint) {
  using Size = CTSize<N>;
  CTTable<N>& table = *group.GetTable();
  const auto& cells = CTGroupLayout<N>::Group(group.GetKind(), group.GetIndex());
  // Digits seen in at least one and in at least two empty cells: those seen
  // once are the hidden singles, without counting digit by digit.
  std::uint32_t once = 0;
  std::uint32_t twice = 0;
  std::uint32_t emptyPositions = 0;
  for (std::uint32_t p = 0; p < Size::S; ++p) {
    const std::uint32_t cell = cells[p];
    if (table.values[cell] != kEmptyValue) continue;
    const std::uint32_t digits = table.masks[cell] & Size::FullMask;
    twice |= once & digits;
    once |= digits;
    emptyPositions |= kDigitBit[p];
  }

  bool placed = false;
  for (std::uint32_t singles = once & ~twice; singles != 0; singles &= singles - 1) {
    const std::uint32_t digit = static_cast<std::uint32_t>(std::countr_zero(singles));
    // The one cell that was empty with this candidate when the group was read.
    std::uint32_t cell = 0;
    for (std::uint32_t positions = emptyPositions; positions != 0; positions &= positions - 1) {
      cell = cells[std::countr_zero(positions)];
      if (table.masks[cell] & kDigitBit[digit]) break;
    }
    // On a broken grid one cell can be the only place of two digits, and
    // must keep the first one it received.
    if (table.values[cell] != kEmptyValue) continue;
    table.values[cell] = static_cast<std::uint8_t>(digit);
    ++this->m_usage;
    placed = true;
    if (hint) {
      hint->AddItem(kHintCause, group.GetKind(), cell, kDigitBit[digit]);
      hint->SetPatternId(PatternId::kHiddenSingle);
      return true;
    }
  }
  return placed;
}

template class CTHiddenSinglePattern<2>;
template class CTHiddenSinglePattern<3>;
template class CTHiddenSinglePattern<4>;
