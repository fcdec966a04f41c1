#include "engine/patterns/CTPointingPairPattern.h"

#include <bit>

#include "engine/CTColumnGroup.h"
#include "engine/CTGroupLayout.h"
#include "engine/CTRowGroup.h"

namespace {

// Row and column of position p of a box. Only boxes have an answer; any other
// view is asked itself, and a line view throws as it always has.
template <unsigned N>
std::uint32_t RowInBox(const CTGroup<N>& group, std::uint32_t p) {
  if (group.GetKind() != GroupKind::kBox) return group.GetRowIndex(p);
  return (group.GetIndex() / N) * N + p / N;
}

template <unsigned N>
std::uint32_t ColumnInBox(const CTGroup<N>& group, std::uint32_t p) {
  if (group.GetKind() != GroupKind::kBox) return group.GetColumnIndex(p);
  return (group.GetIndex() % N) * N + p % N;
}

}  // namespace

template <unsigned N>
bool CTPointingPairPattern<N>::Apply(CTGroup<N>& group, CHintInfo* hint) {
  using Layout = CTGroupLayout<N>;
  const CTTable<N>& table = *group.GetTable();
  std::uint16_t places[Layout::S];
  Layout::FindDigitPlaces(table.values, table.masks, Layout::Group(group.GetKind(), group.GetIndex()), places);
  // A reduction that changes nothing leaves the board alone, so the places
  // stay valid for the digits after it.
  for (std::uint32_t digit = 0; digit < Layout::S; ++digit) {
    const std::uint16_t at = places[digit];
    if (at == 0) continue;
    const std::uint32_t first = static_cast<std::uint32_t>(std::countr_zero(at));
    const std::uint32_t row = RowInBox(group, first);
    const std::uint32_t column = ColumnInBox(group, first);
    const bool oneRow = (at & ~(Layout::kFirstRun << (first / N * N))) == 0;
    const bool oneColumn = (at & ~(Layout::kFirstColumn << (first % N))) == 0;

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
