#include "engine/patterns/CTHiddenSubsetPattern.h"

#include <algorithm>

#include "engine/CTGroupLayout.h"

template <unsigned N>
bool CTHiddenSubsetPattern<N>::Apply(CTGroup<N>& group, CHintInfo* hint) {
  m_group = &group;
  std::fill(std::begin(m_chosen), std::end(m_chosen), std::uint8_t{0});
  const CTTable<N>& table = *group.GetTable();
  const auto& cells = CTGroupLayout<N>::Group(group.GetKind(), group.GetIndex());
  m_emptyCount = 0;
  for (std::uint32_t p = 0; p < S; ++p) {
    if (table.values[cells[p]] != kEmptyValue) continue;
    m_emptyPositions[m_emptyCount] = static_cast<std::uint8_t>(p);
    m_emptyMasks[m_emptyCount] = table.masks[cells[p]];
    ++m_emptyCount;
  }
  m_masksFrom[m_emptyCount] = 0;
  for (std::uint32_t entry = m_emptyCount; entry-- > 0;) {
    m_masksFrom[entry] = static_cast<std::uint16_t>(m_masksFrom[entry + 1] | m_emptyMasks[entry]);
  }
  if (!Search(0, 0, 0, 0, hint)) return false;
  ++this->m_usage;
  return true;
}

template <unsigned N>
bool CTHiddenSubsetPattern<N>::Search(std::uint32_t start, std::uint32_t depth, std::uint16_t unionMask,
                                      std::uint16_t passedOver, CHintInfo* hint) {
  using Layout = CTGroupLayout<N>;
  constexpr std::uint16_t kFull = CTSize<N>::FullMask;
  for (std::uint32_t entry = start; entry < m_emptyCount; ++entry) {
    // A hidden digit lies in a chosen cell and in no skipped one. When fewer
    // than k digits of the cells chosen so far and still to come are not
    // skipped, no combination from here on can succeed.
    const std::uint16_t open = static_cast<std::uint16_t>((unionMask | m_masksFrom[entry]) & ~passedOver);
    if (Layout::CountBits(open & kFull) < m_k) break;
    const std::uint16_t grown = static_cast<std::uint16_t>(unionMask | m_emptyMasks[entry]);
    const std::uint32_t p = m_emptyPositions[entry];
    m_chosen[p] = 1;
    if (depth + 1 == m_k) {
      const std::uint16_t others = static_cast<std::uint16_t>(passedOver | m_masksFrom[entry + 1]);
      const std::uint16_t hidden = static_cast<std::uint16_t>(grown & ~others);
      if (Layout::CountBits(hidden & kFull) == m_k && Eliminate(hidden, hint)) {
        if (hint) hint->SetPatternId(this->GetId());
        return true;
      }
    } else if (Search(entry + 1, depth + 1, grown, passedOver, hint)) {
      return true;
    }
    m_chosen[p] = 0;
    passedOver = static_cast<std::uint16_t>(passedOver | m_emptyMasks[entry]);
  }
  if (hint) hint->Discard();
  return false;
}

template <unsigned N>
bool CTHiddenSubsetPattern<N>::Eliminate(std::uint16_t hidden, CHintInfo* hint) {
  CTTable<N>& table = *m_group->GetTable();
  const std::uint32_t kind = m_group->GetKind();
  const auto& cells = CTGroupLayout<N>::Group(kind, m_group->GetIndex());
  bool changed = false;
  for (std::uint32_t p = 0; p < S; ++p) {
    if (!m_chosen[p]) continue;
    const std::uint32_t cell = cells[p];
    const std::uint16_t removed = static_cast<std::uint16_t>(table.masks[cell] & ~hidden);
    table.masks[cell] = static_cast<std::uint16_t>(table.masks[cell] & hidden);
    changed = changed || removed != 0;
    if (hint) {
      hint->AddItem(kHintCause, kind, cell, table.masks[cell]);
      hint->AddItem(kHintEffect, kind, cell, removed);
    }
  }
  if (hint && !changed) hint->Discard();
  return changed;
}

template class CTHiddenSubsetPattern<2>;
template class CTHiddenSubsetPattern<3>;
template class CTHiddenSubsetPattern<4>;
