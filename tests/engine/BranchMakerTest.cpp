#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "engine/BranchMakerDepth.h"
#include "engine/CBranchMakerRemoveMode.h"

namespace {

template <unsigned N>
struct Box {
  static constexpr unsigned value = N;
};
template <typename T>
class BranchCapacityTest : public ::testing::Test {};
using Sizes = ::testing::Types<Box<2>, Box<3>, Box<4>>;
TYPED_TEST_SUITE(BranchCapacityTest, Sizes);

TYPED_TEST(BranchCapacityTest, StacksHoldSSMinusSAndSSItems) {
  constexpr unsigned N = TypeParam::value;
  constexpr std::uint32_t expectedDepth[] = {0, 0, 12, 72, 240};
  constexpr std::uint32_t expectedRemove[] = {0, 0, 16, 81, 256};
  CTTable<N> table;  // empty: every MakeBranch finds cell 0 and leaves the table alone

  BranchMakerDepth<N> depth;
  depth.Init();
  ASSERT_EQ(depth.GetStack()->GetCapacity(), expectedDepth[N]);
  for (std::uint32_t i = 0; i < expectedDepth[N]; ++i) ASSERT_TRUE(depth.MakeBranch(table)) << i;
  EXPECT_FALSE(depth.IsBranchLost());
  EXPECT_FALSE(depth.MakeBranch(table));
  EXPECT_TRUE(depth.IsBranchLost());
  EXPECT_EQ(depth.GetBranchCount(), expectedDepth[N]);
  // A new search starts counting afresh, but the loss stays recorded.
  depth.Init();
  EXPECT_EQ(depth.GetBranchCount(), 0u);
  EXPECT_EQ(depth.GetStack()->GetCount(), 0u);
  EXPECT_TRUE(depth.IsBranchLost());

  CBranchMakerRemoveMode<N> remove;
  remove.Init();
  ASSERT_EQ(remove.GetStack()->GetCapacity(), expectedRemove[N]);
  for (std::uint32_t i = 0; i < expectedRemove[N]; ++i) ASSERT_TRUE(remove.MakeBranch(table)) << i;
  EXPECT_FALSE(remove.MakeBranch(table));
  EXPECT_EQ(remove.GetLevelCount(), expectedRemove[N]);
  EXPECT_EQ(remove.GetBranchCount(), expectedRemove[N]);
  EXPECT_FALSE(remove.IsBranchLost());
}

TEST(BranchMakerDepth, TriesTheBranchCellsDigitsInOrderThenBacktracks) {
  CTTable<3> table;
  BranchMakerDepth<3> maker;
  maker.Init();

  // First branch point: cell 10 with {1, 3}.
  table.masks[10] = 0x000A;
  ASSERT_TRUE(maker.MakeBranch(table));
  ASSERT_TRUE(maker.NextBranch(table));
  EXPECT_EQ(table.values[10], 1);

  // Second branch point: cell 20 with {2, 5, 7}, on top of the first.
  table.values[0] = 4;
  table.masks[20] = (1u << 2) | (1u << 5) | (1u << 7);
  ASSERT_TRUE(maker.MakeBranch(table));
  EXPECT_EQ(table.values[20], kEmptyValue);  // making a branch changes nothing
  EXPECT_EQ(maker.GetBranchCount(), 2u);
  for (std::uint8_t digit : {2, 5, 7}) {
    table.values[30] = 8;  // scribbles of the failed trial ...
    table.masks[20] = 0;   // ... and masks are not restored
    ASSERT_TRUE(maker.NextBranch(table));
    EXPECT_EQ(table.values[20], digit);
    EXPECT_EQ(table.values[30], kEmptyValue);
    EXPECT_EQ(table.values[0], 4);
    EXPECT_EQ(table.values[10], 1);
  }
  EXPECT_EQ(maker.GetStack()->GetCount(), 1u);

  // Cell 20 is used up: back to the first point, whose last digit is 3.
  ASSERT_TRUE(maker.NextBranch(table));
  EXPECT_EQ(table.values[10], 3);
  EXPECT_EQ(table.values[20], kEmptyValue);
  EXPECT_EQ(table.values[0], kEmptyValue);
  EXPECT_EQ(maker.GetStack()->GetCount(), 0u);
  EXPECT_FALSE(maker.NextBranch(table));
  EXPECT_FALSE(maker.IsBranchLost());
}

TEST(BranchMakerDepth, FullTableMakesNoBranchAndLosesNothing) {
  CTTable<2> table;
  for (std::uint32_t i = 0; i < 16; ++i) table.values[i] = static_cast<std::uint8_t>(i % 4);
  BranchMakerDepth<2> maker;
  maker.Init();
  EXPECT_FALSE(maker.MakeBranch(table));
  EXPECT_FALSE(maker.IsBranchLost());
  EXPECT_EQ(maker.GetBranchCount(), 0u);
}

TEST(BranchMakerDepth, ABranchCellWithoutCandidatesIsTreatedAsUsedUp) {
  CTTable<3> table;
  BranchMakerDepth<3> maker;
  maker.Init();
  table.masks[5] = 1u << 6;
  ASSERT_TRUE(maker.MakeBranch(table));  // cell 5, digit 6 only
  table.masks[40] = 0;
  ASSERT_TRUE(maker.MakeBranch(table));  // cell 40, nothing to try
  ASSERT_TRUE(maker.NextBranch(table));
  EXPECT_EQ(table.values[5], 6);
  EXPECT_EQ(table.values[40], kEmptyValue);
  EXPECT_FALSE(maker.NextBranch(table));

  table.Init();
  table.masks[0] = 0;
  ASSERT_TRUE(maker.MakeBranch(table));
  EXPECT_FALSE(maker.NextBranch(table));
  EXPECT_EQ(table.values[0], kEmptyValue);
}

TEST(BranchMakers, WithoutAStackBothAnswerFalse) {
  CTTable<3> table;
  BranchMakerDepth<3> depth;
  CBranchMakerRemoveMode<3> remove;
  EXPECT_FALSE(depth.MakeBranch(table));
  EXPECT_FALSE(depth.NextBranch(table));
  EXPECT_FALSE(remove.MakeBranch(table));
  EXPECT_FALSE(remove.NextBranch(table));

  // Init twice replaces the stack; Clear drops it again.
  depth.Init();
  ASSERT_TRUE(depth.MakeBranch(table));
  depth.Init();
  ASSERT_TRUE(depth.MakeBranch(table));
  depth.Clear();
  EXPECT_EQ(depth.GetStack(), nullptr);
  EXPECT_FALSE(depth.NextBranch(table));

  remove.Init();
  for (std::uint32_t i = 0; i < 81; ++i) table.values[i] = static_cast<std::uint8_t>(i % 9);
  ASSERT_TRUE(remove.MakeBranch(table));
  ASSERT_TRUE(remove.NextBranch(table));
  remove.Clear();
  EXPECT_FALSE(remove.MakeBranch(table));
  EXPECT_FALSE(remove.NextBranch(table));
  remove.Init();  // the flags of the dropped stack must not be inherited
  for (std::uint32_t i = 0; i < 81; ++i) table.values[i] = static_cast<std::uint8_t>(i % 9);
  ASSERT_TRUE(remove.MakeBranch(table));
  std::uint32_t removals = 0;
  while (remove.NextBranch(table)) ++removals;
  EXPECT_EQ(removals, 81u);
}

// Two removal levels on a complete 4x4 grid: a child never empties a cell its
// parent already tried, an exhausted level drops and the search goes on
// below, and the level count follows the stack.
TEST(CBranchMakerRemoveMode, ChildLevelsInheritTheTriedCells) {
  std::srand(7);
  const std::uint8_t grid[16] = {0, 1, 2, 3, 2, 3, 0, 1, 1, 0, 3, 2, 3, 2, 1, 0};
  CTTable<2> table;
  std::copy(std::begin(grid), std::end(grid), table.values);
  CBranchMakerRemoveMode<2> maker;
  maker.Init();
  auto levelsMatchStack = [&] { return maker.GetLevelCount() == maker.GetStack()->GetCount(); };
  auto emptyCells = [&] {
    std::set<std::uint32_t> cells;
    for (std::uint32_t i = 0; i < 16; ++i)
      if (table.values[i] == kEmptyValue) cells.insert(i);
    return cells;
  };

  ASSERT_TRUE(maker.MakeBranch(table));
  ASSERT_TRUE(maker.NextBranch(table));
  ASSERT_EQ(emptyCells().size(), 1u);
  const std::uint32_t a = *emptyCells().begin();
  EXPECT_EQ(table.masks[a], 0);
  ASSERT_TRUE(maker.NextBranch(table));  // same level again: a is back, b is empty
  ASSERT_EQ(emptyCells().size(), 1u);
  const std::uint32_t b = *emptyCells().begin();
  EXPECT_NE(a, b);
  EXPECT_EQ(table.values[a], grid[a]);
  EXPECT_TRUE(levelsMatchStack());

  ASSERT_TRUE(maker.MakeBranch(table));  // child level: b empty, a and b tried
  EXPECT_EQ(maker.GetLevelCount(), 2u);
  std::set<std::uint32_t> emptiedByChild;
  for (int k = 0; k < 14; ++k) {
    ASSERT_TRUE(maker.NextBranch(table));
    const std::set<std::uint32_t> empty = emptyCells();
    ASSERT_EQ(empty.size(), 2u);
    ASSERT_TRUE(empty.count(b));
    for (std::uint32_t cell : empty)
      if (cell != b) emptiedByChild.insert(cell);
    EXPECT_TRUE(levelsMatchStack());
  }
  EXPECT_EQ(emptiedByChild.size(), 14u);  // never the same cell twice
  EXPECT_FALSE(emptiedByChild.count(a));

  // The child is used up: it drops and the parent empties a third cell.
  ASSERT_TRUE(maker.NextBranch(table));
  EXPECT_EQ(maker.GetLevelCount(), 1u);
  EXPECT_TRUE(levelsMatchStack());
  const std::set<std::uint32_t> empty = emptyCells();
  ASSERT_EQ(empty.size(), 1u);
  EXPECT_FALSE(empty.count(a));
  EXPECT_FALSE(empty.count(b));

  // The parent has 13 cells left; then nothing is left at all.
  for (int k = 0; k < 13; ++k) ASSERT_TRUE(maker.NextBranch(table)) << k;
  EXPECT_FALSE(maker.NextBranch(table));
  EXPECT_EQ(maker.GetLevelCount(), 0u);
  EXPECT_TRUE(levelsMatchStack());
  EXPECT_EQ(maker.GetBranchCount(), 2u);
}

}  // namespace
