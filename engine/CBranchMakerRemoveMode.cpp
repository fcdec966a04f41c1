#include "engine/CBranchMakerRemoveMode.h"

#include <algorithm>
#include <cstdlib>

template <unsigned N>
void CBranchMakerRemoveMode<N>::Init() {
  m_stack = std::make_unique<kmxCTSteck<CStackItem>>(kCapacity);
  m_tried = nullptr;
  this->m_branchCount = 0;
  this->m_levelCount = 0;
}

template <unsigned N>
void CBranchMakerRemoveMode<N>::Clear() {
  m_stack.reset();
  m_tried = nullptr;
}

template <unsigned N>
bool CBranchMakerRemoveMode<N>::MakeBranch(CTTable<N>& table) {
  if (!m_stack) return false;
  CStackItem* level = m_stack->NextSlot();
  if (!level) return false;
  std::copy(std::begin(table.values), std::end(table.values), level->values);
  if (!m_tried) {
    std::fill(std::begin(level->tried), std::end(level->tried), std::uint8_t{0});
  } else if (m_tried != level->tried) {
    std::copy(m_tried, m_tried + Size::CellCount, level->tried);
  }
  m_stack->Push(*level);
  ++this->m_branchCount;
  ++this->m_levelCount;
  return true;
}

template <unsigned N>
bool CBranchMakerRemoveMode<N>::NextBranch(CTTable<N>& table) {
  if (!m_stack) return false;
  while (CStackItem* level = m_stack->Pop()) {
    const std::uint32_t start = static_cast<std::uint32_t>(std::rand()) % Size::CellCount;
    std::uint32_t cell = start;
    bool found = false;
    for (std::uint32_t step = 0; step < Size::CellCount; ++step) {
      cell = (start + step) % Size::CellCount;
      if (level->values[cell] != kEmptyValue && !level->tried[cell]) {
        found = true;
        break;
      }
    }
    if (!found) {
      --this->m_levelCount;
      continue;
    }
    level->tried[cell] = 1;
    std::copy(std::begin(level->values), std::end(level->values), table.values);
    m_tried = level->tried;
    table.cells[cell].Clear();
    m_stack->Push(*level);
    return true;
  }
  return false;
}

template class CBranchMakerRemoveMode<2>;
template class CBranchMakerRemoveMode<3>;
template class CBranchMakerRemoveMode<4>;
