#pragma once
// The board: S*S cells plus the value and mask arrays they point into. Bulk
// work (rebuilding candidates, saving and restoring a position) uses the
// arrays directly; the techniques go through the cells and the group views.

#include <cstdint>

#include "engine/CTBits.h"
#include "engine/CTCell.h"

template <unsigned N>
class CTTable {
 public:
  using Size = CTSize<N>;
  static constexpr std::uint32_t S = Size::S;
  static constexpr std::uint32_t CellCount = Size::CellCount;

  // Index = column + row * S.
  CTCell<N> cells[CellCount];
  std::uint8_t values[CellCount];
  std::uint16_t masks[CellCount];

  CTTable() { Init(); }
  virtual ~CTTable() = default;

  // The cells point into this object's own arrays; a copy would share the
  // source's. Copy the value array instead when a second board is needed.
  CTTable(const CTTable&) = delete;
  CTTable& operator=(const CTTable&) = delete;

  // Binds every cell to its slot of the arrays and leaves the board empty
  // with every candidate open.
  void Init();

  CTCell<N>& GetCell(std::uint32_t index) { return cells[index]; }
  const CTCell<N>& GetCell(std::uint32_t index) const { return cells[index]; }

  // The empty cell with the fewest candidates (lowest index on ties), or
  // kNoBranchCell when the board is full.
  std::uint32_t FindBranchCell() const;

  // Number of cells without a digit.
  std::uint32_t CountEmptyValues() const;
};

extern template class CTTable<2>;
extern template class CTTable<3>;
extern template class CTTable<4>;
