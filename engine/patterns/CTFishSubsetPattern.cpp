#include "engine/patterns/CTFishSubsetPattern.h"

#include <algorithm>
#include <bit>

#include "engine/CTGroupLayout.h"

template <unsigned N>
bool CTFishSubsetPattern<N>::Apply(CTGroup<N>& group, CHintInfo* hint) {
  m_hint = hint;
  m_table = group.GetTable();
  const bool found = ApplyOrientation(GroupKind::kRow) || ApplyOrientation(GroupKind::kColumn);
  m_hint = nullptr;
  return found;
}

template <unsigned N>
bool CTFishSubsetPattern<N>::ApplyOrientation(std::uint32_t baseKind) {
  m_baseKind = baseKind;
  // The places of every digit along every base line, in one pass over the board.
  for (auto& lines : m_positionsByDigit) std::fill(std::begin(lines), std::end(lines), std::uint16_t{0});
  for (std::uint32_t line = 0; line < S; ++line) {
    for (std::uint32_t p = 0; p < S; ++p) {
      const std::uint32_t cell = CellAt(line, p);
      if (m_table->values[cell] != kEmptyValue) continue;
      for (std::uint32_t digits = m_table->masks[cell] & CTSize<N>::FullMask; digits != 0; digits &= digits - 1) {
        std::uint16_t& positions = m_positionsByDigit[std::countr_zero(digits)][line];
        positions = static_cast<std::uint16_t>(positions | kDigitBit[p]);
      }
    }
  }
  for (std::uint32_t digit = 0; digit < S; ++digit) {
    m_digit = digit;
    m_positions = m_positionsByDigit[digit];
    m_cover = 0;
    m_chosenLines = 0;
    if (Search(0, 0, 0) && Eliminate()) {
      if (m_hint) m_hint->SetPatternId(this->GetId());
      ++this->m_usage;
      return true;
    }
    if (m_hint) m_hint->Discard();
  }
  return false;
}

template <unsigned N>
bool CTFishSubsetPattern<N>::Search(std::uint32_t start, std::uint32_t depth, std::uint16_t cover) {
  for (std::uint32_t line = start; line < S; ++line) {
    const std::uint16_t positions = m_positions[line];
    const std::uint32_t count = CTGroupLayout<N>::CountBits(positions);
    if (count < 2 || count > m_k) continue;
    const std::uint16_t grown = static_cast<std::uint16_t>(cover | positions);
    if (CTGroupLayout<N>::CountBits(grown) > m_k) continue;
    if (depth + 1 != m_k && !Search(line + 1, depth + 1, grown)) continue;
    // Back on the way up: the deepest line is recorded first.
    m_chosenLines = static_cast<std::uint16_t>(m_chosenLines | kDigitBit[line]);
    if (m_hint) {
      for (std::uint32_t p = 0; p < S; ++p) {
        if (positions & kDigitBit[p]) m_hint->AddItem(kHintCause, m_baseKind, CellAt(line, p), kDigitBit[m_digit]);
      }
    }
    m_cover = static_cast<std::uint16_t>(m_cover | positions);
    return true;
  }
  return false;
}

template <unsigned N>
bool CTFishSubsetPattern<N>::Eliminate() {
  const std::uint32_t coverKind = m_baseKind == GroupKind::kRow ? GroupKind::kColumn : GroupKind::kRow;
  bool changed = false;
  for (std::uint32_t p = 0; p < S; ++p) {
    if (!(m_cover & kDigitBit[p])) continue;
    for (std::uint32_t q = 0; q < S; ++q) {
      if (m_chosenLines & kDigitBit[q]) continue;
      const std::uint32_t cell = CellAt(q, p);
      if (m_table->values[cell] != kEmptyValue || !(m_table->masks[cell] & kDigitBit[m_digit])) continue;
      m_table->masks[cell] &= kDigitBitComplement[m_digit];
      changed = true;
      if (m_hint) m_hint->AddItem(kHintEffect, coverKind, cell, kDigitBit[m_digit]);
    }
  }
  return changed;
}

template class CTFishSubsetPattern<2>;
template class CTFishSubsetPattern<3>;
template class CTFishSubsetPattern<4>;
