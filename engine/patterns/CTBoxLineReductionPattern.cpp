#include "engine/patterns/CTBoxLineReductionPattern.h"

#include <bit>

#include "engine/CTGroupLayout.h"

namespace {

// The box that position p of a line lies in. Only lines have an answer; any
// other view is asked itself, and a box view throws as it always has.
template <unsigned N>
std::uint32_t BoxAlongLine(const CTGroup<N>& group, std::uint32_t p) {
  const std::uint32_t line = group.GetIndex();
  if (group.GetKind() == GroupKind::kRow) return (line / N) * N + p / N;
  if (group.GetKind() == GroupKind::kColumn) return (p / N) * N + line / N;
  return group.GetBoxIndex(p);
}

}  // namespace

template <unsigned N>
bool CTBoxLineReductionPattern<N>::Apply(CTGroup<N>& group, CHintInfo* hint) {
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
    const std::uint32_t box = BoxAlongLine(group, first);
    const std::uint16_t boxRun = static_cast<std::uint16_t>(Layout::kFirstRun << (first / N * N));
    if ((at & ~boxRun) != 0) continue;  // the digit can go into more than one box
    if (group.ReduceBoxByLine(box, digit, hint)) {
      ++this->m_usage;
      if (hint) hint->SetPatternId(PatternId::kBoxLineReduction);
      return true;
    }
  }
  return false;
}

template class CTBoxLineReductionPattern<2>;
template class CTBoxLineReductionPattern<3>;
template class CTBoxLineReductionPattern<4>;
