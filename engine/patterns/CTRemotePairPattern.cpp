#include "engine/patterns/CTRemotePairPattern.h"

#include <algorithm>

#include "engine/CTGroupLayout.h"

template <unsigned N>
bool CTRemotePairPattern<N>::Apply(CTGroup<N>& group, CHintInfo* hint) {
  using Size = CTSize<N>;
  std::uint8_t visited[CellCount];
  m_hint = hint;
  m_table = group.GetTable();
  m_visited = visited;
  bool found = false;
  for (std::uint32_t start = 0; start < CellCount && !found; ++start) {
    if (m_table->values[start] != kEmptyValue ||
        CTGroupLayout<N>::CountBits(m_table->masks[start] & Size::FullMask) != 2) {
      continue;
    }
    m_start = start;
    if (hint) hint->AddItem(kHintCause, GroupKind::kTable, start, m_table->masks[start]);
    std::fill(std::begin(visited), std::end(visited), std::uint8_t{0});
    visited[start] = 1;
    found = Extend(0, start, GroupKind::kTable);
    if (!found && hint) hint->Discard();
  }
  m_visited = nullptr;
  m_hint = nullptr;
  return found;
}

template <unsigned N>
bool CTRemotePairPattern<N>::Extend(std::uint32_t depth, std::uint32_t cell, std::uint32_t previousKind) {
  using Layout = CTGroupLayout<N>;
  const std::uint32_t row = Layout::RowOf(cell);
  const std::uint32_t column = Layout::ColumnOf(cell);
  if (previousKind != GroupKind::kRow && Link(depth, GroupKind::kRow, row, column, cell)) return true;
  if (previousKind != GroupKind::kColumn && Link(depth, GroupKind::kColumn, column, row, cell)) return true;
  if (previousKind != GroupKind::kBox) {
    std::uint32_t box = 0;
    std::uint32_t position = 0;
    CellGroupIndexFromCellTableIndex<N>(cell, box, position);
    if (Link(depth, GroupKind::kBox, box, position, cell)) return true;
  }
  return false;
}

template <unsigned N>
bool CTRemotePairPattern<N>::Link(std::uint32_t depth, std::uint32_t kind, std::uint32_t groupIndex,
                                  std::uint32_t position, std::uint32_t cell) {
  const auto& cells = CTGroupLayout<N>::Group(kind, groupIndex);
  const std::uint16_t pair = m_table->masks[cell];
  std::uint32_t partner = CellCount;
  for (std::uint32_t j = 0; j < S; ++j) {
    const std::uint32_t candidate = cells[j];
    if (j == position || m_visited[candidate] || m_table->values[candidate] != kEmptyValue ||
        m_table->masks[candidate] != pair) {
      continue;
    }
    partner = candidate;
    break;
  }
  if (partner == CellCount) return false;

  m_visited[partner] = 1;
  if (m_hint) m_hint->AddItem(kHintCause, GroupKind::kTable, partner, m_table->masks[m_start]);
  // An even depth past the first link means the chain has 4, 6, ... cells and
  // its ends carry different digits.
  if (depth != 0 && depth % 2 == 0 && Eliminate(partner)) {
    ++this->m_usage;
    return true;
  }
  if (Extend(depth + 1, partner, kind)) return true;
  m_visited[partner] = 0;
  if (m_hint) m_hint->RemoveLastItem();
  return false;
}

template <unsigned N>
bool CTRemotePairPattern<N>::Eliminate(std::uint32_t end) {
  using Layout = CTGroupLayout<N>;
  const std::uint32_t startRow = Layout::RowOf(m_start);
  const std::uint32_t startColumn = Layout::ColumnOf(m_start);
  const std::uint32_t startBox = Layout::BoxOf(m_start);
  const std::uint32_t endRow = Layout::RowOf(end);
  const std::uint32_t endColumn = Layout::ColumnOf(end);
  const std::uint32_t endBox = Layout::BoxOf(end);
  if (startRow == endRow || startColumn == endColumn || startBox == endBox) return false;

  bool changed = StripPair(startRow * S + endColumn);
  changed = StripPair(endRow * S + startColumn) || changed;
  for (std::uint32_t cell : Layout::Group(GroupKind::kBox, startBox)) {
    if (cell == m_start || cell == end) continue;
    if (Layout::RowOf(cell) == endRow || Layout::ColumnOf(cell) == endColumn) changed = StripPair(cell) || changed;
  }
  for (std::uint32_t cell : Layout::Group(GroupKind::kBox, endBox)) {
    if (cell == m_start || cell == end) continue;
    if (Layout::RowOf(cell) == startRow || Layout::ColumnOf(cell) == startColumn) {
      changed = StripPair(cell) || changed;
    }
  }
  return changed;
}

template <unsigned N>
bool CTRemotePairPattern<N>::StripPair(std::uint32_t cell) {
  if (m_table->values[cell] != kEmptyValue) return false;
  const std::uint16_t pair = m_table->masks[m_start];
  const std::uint16_t lost = static_cast<std::uint16_t>(m_table->masks[cell] & pair);
  if (lost == 0) return false;
  m_table->masks[cell] = static_cast<std::uint16_t>(m_table->masks[cell] & ~pair);
  if (m_hint) {
    m_hint->AddItem(kHintEffect, GroupKind::kTable, cell, lost);
    m_hint->SetPatternId(PatternId::kRemotePair);
  }
  return true;
}

template class CTRemotePairPattern<2>;
template class CTRemotePairPattern<3>;
template class CTRemotePairPattern<4>;
