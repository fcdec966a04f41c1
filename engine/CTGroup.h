#pragma once
// Group views: a row, a column or a box of a CTTable, seen as S positions
// 0..S-1. A group owns nothing; it holds the table it views, its index and
// its kind. The base answers nothing but SetIndex: each kind implements only
// the operations that make sense for it (see the derived classes).

#include <cstdint>

#include "engine/CTBits.h"
#include "engine/CTCell.h"
#include "engine/CTTable.h"
#include "engine/GroupKind.h"

class CHintInfo;
template <unsigned N>
class CTLineGroup;

template <unsigned N>
class CTGroup {
 public:
  using Size = CTSize<N>;
  static constexpr std::uint32_t S = Size::S;

  virtual ~CTGroup() = default;

  // Rows and columns: removes digit from the cells of box that lie off this
  // line. True when a candidate was removed.
  virtual bool ReduceBoxByLine(std::uint32_t box, std::uint32_t digit, CHintInfo* hint);
  // Boxes: removes digit from the cells of line that lie outside this box.
  virtual bool ReduceLineByBox(CTLineGroup<N>& line, std::uint32_t digit, CHintInfo* hint);

  // The cell at position i. Not checked: i < S is the caller's business.
  virtual CTCell<N>& GetCell(std::uint32_t i);
  virtual std::uint32_t GetBoxIndex(std::uint32_t i) const;
  virtual std::uint32_t GetRowIndex(std::uint32_t i) const;
  virtual std::uint32_t GetColumnIndex(std::uint32_t i) const;
  // Table index of position i; throws when i >= S.
  virtual std::uint32_t CellGroupIndexToCellTableIndex(std::uint32_t i) const;
  virtual void SetIndex(std::uint32_t index) { m_index = index; }

  std::uint32_t GetIndex() const { return m_index; }
  std::uint32_t GetKind() const { return m_kind; }
  CTTable<N>* GetTable() const { return m_table; }
  void SetTable(CTTable<N>* table) { m_table = table; }

 protected:
  explicit CTGroup(std::uint32_t kind) : m_kind(kind) {}
  CTGroup(std::uint32_t kind, CTTable<N>* table, std::uint32_t index) : m_table(table), m_index(index), m_kind(kind) {}
  CTGroup(const CTGroup&) = default;
  CTGroup& operator=(const CTGroup&) = default;

  static void CheckPosition(std::uint32_t i) {
    if (i >= S) throw "CellGroupIndexToCellTableIndex: Index out of range!";
  }

  CTTable<N>* m_table = nullptr;
  std::uint32_t m_index = 0;
  std::uint32_t m_kind;
};

// The box that holds table cell t and t's position inside that box.
template <unsigned N>
void CellGroupIndexFromCellTableIndex(std::uint32_t t, std::uint32_t& box, std::uint32_t& position) {
  constexpr std::uint32_t S = CTSize<N>::S;
  if (t >= S * S) throw "CellGroupIndexFromCellTableIndex: Index out of range!";
  box = (t / (S * N)) * N + (t % S) / N;
  position = (t % S) % N + ((t / S) % N) * N;
}

extern template class CTGroup<2>;
extern template class CTGroup<3>;
extern template class CTGroup<4>;
