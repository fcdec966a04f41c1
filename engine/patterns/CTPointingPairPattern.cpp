#include "engine/patterns/CTPointingPairPattern.h"

#include "engine/CTColumnGroup.h"
#include "engine/CTRowGroup.h"

template <unsigned N>
bool CTPointingPairPattern<N>::Apply(CTGroup<N>& group, CHintInfo* hint) {
  using Size = CTSize<N>;
  constexpr std::uint32_t kNone = Size::S;
  for (std::uint32_t digit = 0; digit < Size::S; ++digit) {
    std::uint32_t row = kNone;
    std::uint32_t column = kNone;
    bool oneRow = true;
    bool oneColumn = true;
    bool any = false;
    for (std::uint32_t i = 0; i < Size::S; ++i) {
      const CTCell<N>& cell = group.GetCell(i);
      if (!cell.IsEmpty() || !cell.HasCandidate(digit)) continue;
      const std::uint32_t cellRow = group.GetRowIndex(i);
      const std::uint32_t cellColumn = group.GetColumnIndex(i);
      if (!any) {
        row = cellRow;
        column = cellColumn;
        any = true;
      }
      oneRow = oneRow && cellRow == row;
      oneColumn = oneColumn && cellColumn == column;
    }
    if (!any) continue;

    bool changed = false;
    if (oneRow) {
      CTRowGroup<N> line(group.GetTable(), row);
      changed = group.ReduceLineByBox(line, digit, hint);
    }
    if (!changed && oneColumn) {
      CTColumnGroup<N> line(group.GetTable(), column);
      changed = group.ReduceLineByBox(line, digit, hint);
    }
    if (changed) {
      ++this->m_usage;
      if (hint) hint->SetPatternId(PatternId::kPointingPair);
      return true;
    }
  }
  return false;
}

template class CTPointingPairPattern<2>;
template class CTPointingPairPattern<3>;
template class CTPointingPairPattern<4>;
