#include "engine/patterns/CTHiddenSinglePattern.h"

#include <bit>

template <unsigned N>
bool CTHiddenSinglePattern<N>::Apply(CTGroup<N>& group, CHintInfo* hint) {
  using Size = CTSize<N>;
  std::uint32_t count[Size::S] = {};
  std::uint32_t lastPosition[Size::S] = {};
  for (std::uint32_t i = 0; i < Size::S; ++i) {
    const CTCell<N>& cell = group.GetCell(i);
    if (!cell.IsEmpty()) continue;
    for (std::uint16_t digits = cell.GetMask() & Size::FullMask; digits != 0; digits &= digits - 1) {
      const unsigned digit = static_cast<unsigned>(std::countr_zero(digits));
      ++count[digit];
      lastPosition[digit] = i;
    }
  }

  bool placed = false;
  for (std::uint32_t digit = 0; digit < Size::S; ++digit) {
    if (count[digit] != 1) continue;
    CTCell<N>& cell = group.GetCell(lastPosition[digit]);
    // The counts were taken before this loop placed anything: on a broken
    // grid one cell can be the only place of two digits, and must keep the
    // first one it received.
    if (!cell.IsEmpty()) continue;
    cell.SetValue(static_cast<std::uint8_t>(digit));
    ++this->m_usage;
    placed = true;
    if (hint) {
      hint->AddItem(kHintCause, group.GetKind(), group.CellGroupIndexToCellTableIndex(lastPosition[digit]),
                    kDigitBit[digit]);
      hint->SetPatternId(PatternId::kHiddenSingle);
      return true;
    }
  }
  return placed;
}

template class CTHiddenSinglePattern<2>;
template class CTHiddenSinglePattern<3>;
template class CTHiddenSinglePattern<4>;
