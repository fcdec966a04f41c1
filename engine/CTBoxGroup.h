#pragma once
// Box b of a table: position i runs along the box's rows, N cells each.

#include "engine/CTGroup.h"

template <unsigned N>
class CTBoxGroup : public CTGroup<N> {
 public:
  using CTGroup<N>::S;

  CTBoxGroup() : CTGroup<N>(GroupKind::kBox) {}
  CTBoxGroup(CTTable<N>* table, std::uint32_t box) : CTGroup<N>(GroupKind::kBox, table, box) {}

  // Walks the line; cells of the line inside this box with the digit are the
  // cause, cells outside it lose the digit.
  bool ReduceLineByBox(CTLineGroup<N>& line, std::uint32_t digit, CHintInfo* hint) override;

  CTCell<N>& GetCell(std::uint32_t i) override { return this->m_table->cells[GetRowIndex(i) * S + GetColumnIndex(i)]; }
  std::uint32_t GetRowIndex(std::uint32_t i) const override { return (this->m_index / N) * N + i / N; }
  std::uint32_t GetColumnIndex(std::uint32_t i) const override { return (this->m_index % N) * N + i % N; }
  std::uint32_t CellGroupIndexToCellTableIndex(std::uint32_t i) const override {
    this->CheckPosition(i);
    return GetRowIndex(i) * S + GetColumnIndex(i);
  }
};

extern template class CTBoxGroup<2>;
extern template class CTBoxGroup<3>;
extern template class CTBoxGroup<4>;
