#include <gtest/gtest.h>

#include <cstdlib>

#include "engine/CTTable.h"

namespace {

template <typename T>
class BoardTest : public ::testing::Test {};

template <unsigned N>
struct Box {
  static constexpr unsigned value = N;
};
using Sizes = ::testing::Types<Box<2>, Box<3>, Box<4>>;
TYPED_TEST_SUITE(BoardTest, Sizes);

TYPED_TEST(BoardTest, NewTableIsEmptyWithEveryCandidateAndCellsShareTheArrays) {
  constexpr unsigned N = TypeParam::value;
  using Size = CTSize<N>;
  CTTable<N> table;
  const std::uint16_t expectedFull[] = {0, 0, 0x000F, 0x01FF, 0xFFFF};
  EXPECT_EQ(Size::FullMask, expectedFull[N]);
  for (std::uint32_t i = 0; i < Size::CellCount; ++i) {
    EXPECT_EQ(table.values[i], kEmptyValue);
    EXPECT_EQ(table.masks[i], Size::FullMask);
  }
  EXPECT_EQ(table.CountEmptyValues(), Size::CellCount);

  // Writing through a cell is writing the arrays, and the other way round.
  const std::uint32_t last = Size::CellCount - 1;
  table.GetCell(last).SetValue(1);
  table.GetCell(last).RemoveCandidate(0);
  EXPECT_EQ(table.values[last], 1);
  EXPECT_EQ(table.masks[last], Size::FullMask & ~1u);
  table.values[0] = 0;
  table.masks[0] = 0x0002;
  EXPECT_EQ(table.GetCell(0).GetValue(), 0);
  EXPECT_TRUE(table.GetCell(0).HasCandidate(1));
  EXPECT_FALSE(table.GetCell(0).HasCandidate(0));
  EXPECT_EQ(table.CountEmptyValues(), Size::CellCount - 2);

  table.GetCell(0).Clear();
  EXPECT_EQ(table.values[0], kEmptyValue);
  EXPECT_EQ(table.masks[0], 0);
  table.GetCell(last).Reset();
  EXPECT_EQ(table.values[last], kEmptyValue);
  EXPECT_EQ(table.masks[last], Size::FullMask);

  table.Init();
  EXPECT_EQ(table.CountEmptyValues(), Size::CellCount);
  EXPECT_EQ(table.masks[0], Size::FullMask);
}

TYPED_TEST(BoardTest, LooseCellUsesItsOwnStorage) {
  constexpr unsigned N = TypeParam::value;
  CTCell<N> cell;
  EXPECT_TRUE(cell.IsEmpty());
  EXPECT_EQ(cell.GetMask(), CTSize<N>::FullMask);
  cell.SetValue(1);
  cell.Clear();
  EXPECT_EQ(cell.GetMask(), 0);
  EXPECT_TRUE(cell.IsEmpty());
}

TYPED_TEST(BoardTest, FindBranchCellTakesTheFewestCandidatesLowestIndexFirst) {
  constexpr unsigned N = TypeParam::value;
  using Size = CTSize<N>;
  CTTable<N> table;
  // On a fresh table every cell ties: the first one wins.
  EXPECT_EQ(table.FindBranchCell(), 0u);

  // Two cells with two candidates each: the lower index wins.
  table.masks[9] = 0x0003;
  table.masks[5] = 0x0006;
  EXPECT_EQ(table.FindBranchCell(), 5u);

  // A filled cell is never chosen, however few candidates its mask holds.
  table.values[2] = 0;
  table.masks[2] = 0x0001;
  EXPECT_EQ(table.FindBranchCell(), 5u);

  // A later cell with strictly fewer candidates wins; bits above the side
  // are not candidates.
  table.masks[11] = static_cast<std::uint16_t>(0x0001 | (N < 4 ? 0x8000 : 0));
  EXPECT_EQ(table.FindBranchCell(), 11u);

  // An empty cell with no candidate wins over everything.
  table.masks[Size::CellCount - 1] = 0;
  EXPECT_EQ(table.FindBranchCell(), Size::CellCount - 1);

  for (std::uint32_t i = 0; i < Size::CellCount; ++i) table.values[i] = static_cast<std::uint8_t>(i % Size::S);
  EXPECT_EQ(table.FindBranchCell(), kNoBranchCell);
  EXPECT_EQ(table.CountEmptyValues(), 0u);
}

TYPED_TEST(BoardTest, SetRandomValuePicksACandidateOrLeavesTheCellAlone) {
  constexpr unsigned N = TypeParam::value;
  using Size = CTSize<N>;
  CTTable<N> table;

  table.values[0] = 2;
  table.masks[0] = 0x0001;
  EXPECT_FALSE(table.GetCell(0).SetRandomValue());
  EXPECT_EQ(table.values[0], 2);

  table.masks[1] = 0;
  EXPECT_TRUE(table.GetCell(1).SetRandomValue());
  EXPECT_EQ(table.values[1], kEmptyValue);

  // Whatever rand() draws, the digit comes from the mask; over many draws
  // both digits of a two-candidate mask turn up.
  const std::uint16_t twoDigits = static_cast<std::uint16_t>((1u << 1) | (1u << (Size::S - 1)));
  bool seen[16] = {};
  std::srand(12345);
  for (int round = 0; round < 200; ++round) {
    table.GetCell(2).Reset();
    table.masks[2] = twoDigits;
    ASSERT_TRUE(table.GetCell(2).SetRandomValue());
    const std::uint8_t value = table.values[2];
    ASSERT_LT(value, Size::S);
    ASSERT_TRUE(twoDigits & (1u << value)) << int(value);
    seen[value] = true;
  }
  EXPECT_TRUE(seen[1]);
  EXPECT_TRUE(seen[Size::S - 1]);
}

}  // namespace
