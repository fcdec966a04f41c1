#pragma once
// Column c of a table: position i is the cell in row i.

#include "engine/CTLineGroup.h"

template <unsigned N>
class CTColumnGroup : public CTLineGroup<N> {
 public:
  using CTGroup<N>::S;

  CTColumnGroup() : CTLineGroup<N>(GroupKind::kColumn) {}
  CTColumnGroup(CTTable<N>* table, std::uint32_t column) : CTLineGroup<N>(GroupKind::kColumn, table, column) {}

  CTCell<N>& GetCell(std::uint32_t i) override { return this->m_table->cells[i * S + this->m_index]; }
  std::uint32_t GetBoxIndex(std::uint32_t i) const override { return (i / N) * N + this->m_index / N; }
  std::uint32_t CellGroupIndexToCellTableIndex(std::uint32_t i) const override {
    this->CheckPosition(i);
    return i * S + this->m_index;
  }
};

extern template class CTColumnGroup<2>;
extern template class CTColumnGroup<3>;
extern template class CTColumnGroup<4>;
