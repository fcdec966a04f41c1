#include "engine/patterns/CTHiddenSubsetPattern.h"

#include <algorithm>

#include "engine/CTGroupLayout.h"

template <unsigned N>
bool CTHiddenSubsetPattern<N>::Apply(CTGroup<N>& group, CHintInfo* hint) {
  m_group = &group;
  std::fill(std::begin(m_chosen), std::end(m_chosen), std::uint8_t{0});
  if (!Search(0, 0, 0, hint)) return false;
  ++this->m_usage;
  return true;
}

template <unsigned N>
bool CTHiddenSubsetPattern<N>::Search(std::uint32_t start, std::uint32_t depth, std::uint16_t unionMask,
                                      CHintInfo* hint) {
  using Size = CTSize<N>;
  const CTTable<N>& table = *m_group->GetTable();
  const auto& cells = CTGroupLayout<N>::Group(m_group->GetKind(), m_group->GetIndex());
  for (std::uint32_t p = start; p < S; ++p) {
    if (table.values[cells[p]] != kEmptyValue) continue;
    const std::uint16_t grown = static_cast<std::uint16_t>(unionMask | table.masks[cells[p]]);
    m_chosen[p] = 1;
    if (depth + 1 == m_k) {
      std::uint16_t others = 0;
      for (std::uint32_t q = 0; q < S; ++q) {
        if (!m_chosen[q] && table.values[cells[q]] == kEmptyValue) others |= table.masks[cells[q]];
      }
      const std::uint16_t hidden = static_cast<std::uint16_t>(grown & ~others);
      if (Size::CountCandidates(hidden) == m_k && Eliminate(hidden, hint)) {
        if (hint) hint->SetPatternId(this->GetId());
        return true;
      }
    } else if (Search(p + 1, depth + 1, grown, hint)) {
      return true;
    }
    m_chosen[p] = 0;
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
