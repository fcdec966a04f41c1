#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "engine/CHintInfo.h"
#include "engine/CTBoxGroup.h"
#include "engine/CTColumnGroup.h"
#include "engine/CTRowGroup.h"
#include "tests/engine/ThrownText.h"

namespace {

template <unsigned N>
struct Box {
  static constexpr unsigned value = N;
};
template <typename T>
class GroupTest : public ::testing::Test {};
using Sizes = ::testing::Types<Box<2>, Box<3>, Box<4>>;
TYPED_TEST_SUITE(GroupTest, Sizes);

// Every kind of group maps its positions onto the table without gaps or
// overlaps, agrees with GetCell, and agrees with the box arithmetic of
// CellGroupIndexFromCellTableIndex.
TYPED_TEST(GroupTest, IndexArithmeticRoundTripsOverEveryCell) {
  constexpr unsigned N = TypeParam::value;
  constexpr std::uint32_t S = N * N;
  CTTable<N> table;
  std::set<std::uint32_t> rowCells, columnCells, boxCells;
  for (std::uint32_t g = 0; g < S; ++g) {
    CTRowGroup<N> row(&table, g);
    CTColumnGroup<N> column(&table, g);
    CTBoxGroup<N> box(&table, g);
    for (std::uint32_t i = 0; i < S; ++i) {
      std::uint32_t boxOf = 0, position = 0;

      const std::uint32_t r = row.CellGroupIndexToCellTableIndex(i);
      EXPECT_EQ(r, g * S + i);
      EXPECT_EQ(&row.GetCell(i), &table.cells[r]);
      CellGroupIndexFromCellTableIndex<N>(r, boxOf, position);
      EXPECT_EQ(row.GetBoxIndex(i), boxOf);
      rowCells.insert(r);

      const std::uint32_t c = column.CellGroupIndexToCellTableIndex(i);
      EXPECT_EQ(c, i * S + g);
      EXPECT_EQ(&column.GetCell(i), &table.cells[c]);
      CellGroupIndexFromCellTableIndex<N>(c, boxOf, position);
      EXPECT_EQ(column.GetBoxIndex(i), boxOf);
      columnCells.insert(c);

      const std::uint32_t b = box.CellGroupIndexToCellTableIndex(i);
      EXPECT_EQ(&box.GetCell(i), &table.cells[b]);
      EXPECT_EQ(b, box.GetRowIndex(i) * S + box.GetColumnIndex(i));
      CellGroupIndexFromCellTableIndex<N>(b, boxOf, position);
      EXPECT_EQ(std::make_pair(boxOf, position), std::make_pair(g, i));
      // The box's cells lie in its N rows and N columns.
      EXPECT_EQ(box.GetRowIndex(i) / N, g / N);
      EXPECT_EQ(box.GetColumnIndex(i) / N, g % N);
      boxCells.insert(b);
    }
  }
  EXPECT_EQ(rowCells.size(), S * S);
  EXPECT_EQ(columnCells.size(), S * S);
  EXPECT_EQ(boxCells.size(), S * S);
  EXPECT_EQ(*rowCells.rbegin(), S * S - 1);
  EXPECT_EQ(*boxCells.rbegin(), S * S - 1);
}

TYPED_TEST(GroupTest, PositionsOutsideTheGroupAndCellsOutsideTheTableThrow) {
  constexpr unsigned N = TypeParam::value;
  constexpr std::uint32_t S = N * N;
  CTTable<N> table;
  CTRowGroup<N> row(&table, 0);
  CTColumnGroup<N> column(&table, S - 1);
  CTBoxGroup<N> box(&table, S - 1);
  const std::string message = "CellGroupIndexToCellTableIndex: Index out of range!";
  EXPECT_EQ(ThrownText([&] { row.CellGroupIndexToCellTableIndex(S); }), message);
  EXPECT_EQ(ThrownText([&] { column.CellGroupIndexToCellTableIndex(S); }), message);
  EXPECT_EQ(ThrownText([&] { box.CellGroupIndexToCellTableIndex(S); }), message);
  EXPECT_EQ(box.CellGroupIndexToCellTableIndex(S - 1), S * S - 1);

  std::uint32_t boxOf = 99, position = 99;
  EXPECT_EQ(ThrownText([&] { CellGroupIndexFromCellTableIndex<N>(S * S, boxOf, position); }),
            "CellGroupIndexFromCellTableIndex: Index out of range!");
  CellGroupIndexFromCellTableIndex<N>(S * S - 1, boxOf, position);
  EXPECT_EQ(boxOf, S - 1);
  EXPECT_EQ(position, S - 1);
}

TEST(GroupLiterals, NineByNineCases) {
  CTTable<3> table;
  EXPECT_EQ(CTBoxGroup<3>(&table, 4).CellGroupIndexToCellTableIndex(0), 30u);
  EXPECT_EQ(CTBoxGroup<3>(&table, 8).CellGroupIndexToCellTableIndex(8), 80u);
  EXPECT_EQ(CTColumnGroup<3>(&table, 5).CellGroupIndexToCellTableIndex(7), 68u);
  EXPECT_EQ(CTRowGroup<3>(&table, 4).GetBoxIndex(8), 5u);
  EXPECT_EQ(CTColumnGroup<3>(&table, 7).GetBoxIndex(3), 5u);
  std::uint32_t box = 0, position = 0;
  CellGroupIndexFromCellTableIndex<3>(80, box, position);
  EXPECT_EQ(box, 8u);
  EXPECT_EQ(position, 8u);
  CellGroupIndexFromCellTableIndex<3>(41, box, position);  // row 4, column 5
  EXPECT_EQ(box, 4u);
  EXPECT_EQ(position, 5u);
}

TEST(GroupLiterals, KindsAndBinding) {
  CTRowGroup<3> row;
  CTColumnGroup<3> column;
  CTBoxGroup<3> box;
  EXPECT_EQ(row.GetKind(), 1u);
  EXPECT_EQ(column.GetKind(), 2u);
  EXPECT_EQ(box.GetKind(), 3u);
  EXPECT_EQ(row.GetTable(), nullptr);
  EXPECT_EQ(row.GetIndex(), 0u);

  CTTable<3> table;
  box.SetTable(&table);
  box.SetIndex(8);
  EXPECT_EQ(&box.GetCell(0), &table.cells[60]);
}

// A group that implements nothing of its own: what the base answers.
struct BareGroup : CTGroup<3> {
  BareGroup() : CTGroup<3>(GroupKind::kRow) {}
};

TEST(GroupLiterals, OperationsAKindDoesNotHaveThrow) {
  CTTable<3> table;
  CTRowGroup<3> row(&table, 0);
  CTColumnGroup<3> column(&table, 0);
  CTBoxGroup<3> box(&table, 0);
  BareGroup bare;
  CTGroup<3>& rowAsGroup = row;
  CTGroup<3>& columnAsGroup = column;
  CTGroup<3>& boxAsGroup = box;
  const std::string missing = "not implemented!";

  EXPECT_EQ(ThrownText([&] { rowAsGroup.GetRowIndex(0); }), missing);
  EXPECT_EQ(ThrownText([&] { rowAsGroup.GetColumnIndex(0); }), missing);
  EXPECT_EQ(ThrownText([&] { rowAsGroup.ReduceLineByBox(column, 0, nullptr); }), missing);
  EXPECT_EQ(ThrownText([&] { columnAsGroup.GetRowIndex(0); }), missing);
  EXPECT_EQ(ThrownText([&] { columnAsGroup.GetColumnIndex(0); }), missing);
  EXPECT_EQ(ThrownText([&] { columnAsGroup.ReduceLineByBox(row, 0, nullptr); }), missing);
  EXPECT_EQ(ThrownText([&] { boxAsGroup.GetBoxIndex(0); }), missing);
  EXPECT_EQ(ThrownText([&] { boxAsGroup.ReduceBoxByLine(0, 0, nullptr); }), missing);

  EXPECT_EQ(ThrownText([&] { bare.GetCell(0); }), "not implemented");
  EXPECT_EQ(ThrownText([&] { bare.GetBoxIndex(0); }), missing);
  EXPECT_EQ(ThrownText([&] { bare.CellGroupIndexToCellTableIndex(0); }), missing);
  EXPECT_EQ(ThrownText([&] { bare.ReduceBoxByLine(0, 0, nullptr); }), missing);
  bare.SetIndex(4);
  EXPECT_EQ(bare.GetIndex(), 4u);
}

}  // namespace
