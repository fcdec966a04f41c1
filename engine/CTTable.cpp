#include "engine/CTTable.h"

template <unsigned N>
void CTTable<N>::Init() {
  for (std::uint32_t i = 0; i < CellCount; ++i) {
    values[i] = kEmptyValue;
    masks[i] = 0;
    cells[i].Bind(&values[i], &masks[i]);
  }
  for (CTCell<N>& cell : cells) cell.Reset();
}

template <unsigned N>
std::uint32_t CTTable<N>::FindBranchCell() const {
  std::uint32_t bestCount = S + 1;
  std::uint32_t best = kNoBranchCell;
  for (std::uint32_t i = 0; i < CellCount; ++i) {
    if (values[i] != kEmptyValue) continue;
    const std::uint32_t count = Size::CountCandidates(masks[i]);
    if (count < bestCount) {
      bestCount = count;
      best = i;
      if (count == 0) break;  // nothing can beat a dead cell
    }
  }
  return best;
}

template <unsigned N>
std::uint32_t CTTable<N>::CountEmptyValues() const {
  std::uint32_t count = 0;
  for (std::uint8_t value : values) count += value == kEmptyValue;
  return count;
}

template class CTTable<2>;
template class CTTable<3>;
template class CTTable<4>;
