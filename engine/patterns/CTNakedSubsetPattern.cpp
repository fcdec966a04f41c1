#include "engine/patterns/CTNakedSubsetPattern.h"

#include <algorithm>

#include "engine/CTGroupLayout.h"

template <unsigned N>
bool CTNakedSubsetPattern<N>::Apply(CTGroup<N>& group, CHintInfo* hint) {
  using Layout = CTGroupLayout<N>;
  m_group = &group;
  std::fill(std::begin(m_chosen), std::end(m_chosen), std::uint8_t{0});
  const CTTable<N>& table = *group.GetTable();
  const auto& cells = Layout::Group(group.GetKind(), group.GetIndex());
  std::uint32_t emptyCount = 0;
  m_candidateCount = 0;
  for (std::uint32_t p = 0; p < S; ++p) {
    if (table.values[cells[p]] != kEmptyValue) continue;
    ++emptyCount;
    const std::uint16_t mask = table.masks[cells[p]];
    if (Layout::CountBits(mask & CTSize<N>::FullMask) > m_k) continue;
    m_candidatePositions[m_candidateCount] = static_cast<std::uint8_t>(p);
    m_candidateMasks[m_candidateCount] = mask;
    ++m_candidateCount;
  }
  // With k or fewer empty cells a subset leaves no other cell to clear. A
  // hint search still walks it, so that the record is discarded exactly as
  // the full walk would.
  if (m_candidateCount < m_k || (!hint && emptyCount <= m_k)) return false;
  if (!Search(0, 0, 0, hint)) return false;
  ++this->m_usage;
  return true;
}

template <unsigned N>
bool CTNakedSubsetPattern<N>::Search(std::uint32_t start, std::uint32_t depth, std::uint16_t unionMask,
                                     CHintInfo* hint) {
  using Layout = CTGroupLayout<N>;
  for (std::uint32_t entry = start; entry < m_candidateCount; ++entry) {
    const std::uint16_t grown = static_cast<std::uint16_t>(unionMask | m_candidateMasks[entry]);
    if (Layout::CountBits(grown & CTSize<N>::FullMask) > m_k) continue;
    const std::uint32_t p = m_candidatePositions[entry];
    m_chosen[p] = 1;
    if (depth + 1 == m_k) {
      if (Eliminate(grown, hint)) {
        if (hint) hint->SetPatternId(this->GetId());
        return true;
      }
    } else if (Search(entry + 1, depth + 1, grown, hint)) {
      return true;
    }
    m_chosen[p] = 0;
  }
  return false;
}

template <unsigned N>
bool CTNakedSubsetPattern<N>::Eliminate(std::uint16_t unionMask, CHintInfo* hint) {
  CTTable<N>& table = *m_group->GetTable();
  const std::uint32_t kind = m_group->GetKind();
  const auto& cells = CTGroupLayout<N>::Group(kind, m_group->GetIndex());
  bool changed = false;
  for (std::uint32_t p = 0; p < S; ++p) {
    const std::uint32_t cell = cells[p];
    const std::uint16_t before = table.masks[cell];
    if (m_chosen[p]) {
      if (hint) hint->AddItem(kHintCause, kind, cell, static_cast<std::uint16_t>(unionMask & before));
    } else if (table.values[cell] == kEmptyValue) {
      const std::uint16_t lost = static_cast<std::uint16_t>(unionMask & before);
      if (lost == 0) continue;
      table.masks[cell] = static_cast<std::uint16_t>(before & ~unionMask);
      changed = true;
      if (hint) hint->AddItem(kHintEffect, kind, cell, lost);
    }
  }
  if (hint && !changed) hint->Discard();
  return changed;
}

template class CTNakedSubsetPattern<2>;
template class CTNakedSubsetPattern<3>;
template class CTNakedSubsetPattern<4>;
