#include "engine/BranchMakerDepth.h"

#include <algorithm>

template <unsigned N>
void BranchMakerDepth<N>::Init() {
  m_stack = std::make_unique<kmxCTSteck<CStackItem>>(kCapacity);
  this->m_branchCount = 0;
}

template <unsigned N>
void BranchMakerDepth<N>::Clear() {
  m_stack.reset();
}

template <unsigned N>
bool BranchMakerDepth<N>::MakeBranch(CTTable<N>& table) {
  if (!m_stack) return false;
  const std::uint32_t cell = table.FindBranchCell();
  if (cell == kNoBranchCell) return false;
  CStackItem* item = m_stack->NextSlot();
  if (!item) {
    this->m_lostBranch = true;
    return false;
  }
  item->cell = cell;
  item->mask = static_cast<std::uint16_t>(table.masks[cell] & Size::FullMask);
  std::copy(std::begin(table.values), std::end(table.values), item->values);
  m_stack->Push(*item);
  ++this->m_branchCount;
  return true;
}

template <unsigned N>
bool BranchMakerDepth<N>::NextBranch(CTTable<N>& table) {
  if (!m_stack) return false;
  while (CStackItem* item = m_stack->Pop()) {
    const std::uint32_t digit = Size::LowestDigit(item->mask);
    // A branch cell without candidates has no alternative to offer: treat
    // it as used up and go on with the branch point below.
    if (digit == Size::S) continue;
    std::copy(std::begin(item->values), std::end(item->values), table.values);
    table.values[item->cell] = static_cast<std::uint8_t>(digit);
    if (Size::CountCandidates(item->mask) >= 2) {
      item->mask &= kDigitBitComplement[digit];
      m_stack->Push(*item);
    }
    return true;
  }
  return false;
}

template class BranchMakerDepth<2>;
template class BranchMakerDepth<3>;
template class BranchMakerDepth<4>;
