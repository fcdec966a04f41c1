#pragma once
// What rows and columns share: a line crosses N boxes, so a digit confined to
// one box along the line can be removed from the rest of that box.

#include "engine/CTGroup.h"

template <unsigned N>
class CTLineGroup : public CTGroup<N> {
 public:
  using typename CTGroup<N>::Size;
  using CTGroup<N>::S;

  // Walks box column by column and, inside a column, row by row. Cells on
  // this line with the digit are the cause, cells off it lose the digit.
  bool ReduceBoxByLine(std::uint32_t box, std::uint32_t digit, CHintInfo* hint) override;

 protected:
  using CTGroup<N>::CTGroup;

 private:
  bool LiesOnLine(std::uint32_t row, std::uint32_t column) const {
    return (this->m_kind == GroupKind::kRow ? row : column) == this->m_index;
  }
};

extern template class CTLineGroup<2>;
extern template class CTLineGroup<3>;
extern template class CTLineGroup<4>;
