#pragma once
// Row r of a table: position i is the cell in column i.

#include "engine/CTLineGroup.h"

template <unsigned N>
class CTRowGroup : public CTLineGroup<N> {
 public:
  using CTGroup<N>::S;

  CTRowGroup() : CTLineGroup<N>(GroupKind::kRow) {}
  CTRowGroup(CTTable<N>* table, std::uint32_t row) : CTLineGroup<N>(GroupKind::kRow, table, row) {}

  CTCell<N>& GetCell(std::uint32_t i) override { return this->m_table->cells[this->m_index * S + i]; }
  std::uint32_t GetBoxIndex(std::uint32_t i) const override { return (this->m_index / N) * N + i / N; }
  std::uint32_t CellGroupIndexToCellTableIndex(std::uint32_t i) const override {
    this->CheckPosition(i);
    return this->m_index * S + i;
  }
};

extern template class CTRowGroup<2>;
extern template class CTRowGroup<3>;
extern template class CTRowGroup<4>;
