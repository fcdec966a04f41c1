// Remote-pair chains and the fish family on authored boards: which chain or
// fish is found, what it removes and the exact order of its hint items.

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <vector>

#include "engine/CTRowGroup.h"
#include "engine/CTSingletonPatternFactory.h"
#include "tests/engine/HintItems.h"
#include "tests/engine/MaskBoard.h"

namespace {

constexpr std::uint32_t Cell(std::uint32_t row, std::uint32_t column) { return row * 9 + column; }

class ChainFishPatternTest : public ::testing::Test {
 protected:
  MaskBoard board;
  CTRowGroup<3> row0{&board.table, 0};

  // Applies the technique once silently and once with a hint record on the
  // same authored board; both must leave the same masks.
  CHintInfo ApplyBothWays(std::uint32_t id, bool expected) {
    const auto authored = board.Masks();
    std::unique_ptr<CTPattern<3>> pattern = CTSingletonPatternFactory<3>::Create(id);
    EXPECT_EQ(pattern->Apply(row0, nullptr), expected);
    const auto silent = board.Masks();
    std::copy(authored.begin(), authored.end(), board.table.masks);
    CHintInfo hint;
    EXPECT_EQ(pattern->Apply(row0, &hint), expected);
    EXPECT_EQ(board.Masks(), silent);
    ExpectEffectsMatchRemovals(authored, board.Masks(), hint);
    EXPECT_EQ(pattern->GetUsage(), expected ? 2u : 0u);
    EXPECT_EQ(hint.GetPatternId(), expected ? id : PatternId::kNone);
    if (!expected) {
      EXPECT_EQ(hint.GetItemCount(), 0u);
    }
    return hint;
  }

  // Leaves digit d in line `line` (a row when rows is true) only at `positions`.
  void KeepDigitOnlyAt(bool rows, std::uint32_t line, unsigned d, std::initializer_list<std::uint32_t> positions) {
    for (std::uint32_t p = 0; p < 9; ++p) {
      if (std::find(positions.begin(), positions.end(), p) != positions.end()) continue;
      const std::uint32_t cell = rows ? Cell(line, p) : Cell(p, line);
      board.table.masks[cell] = static_cast<std::uint16_t>(board.table.masks[cell] & ~(1u << d));
    }
  }

  // The items a fish gives: causes line by line as listed (deepest first), then
  // for each cover position ascending the base lines outside the fish.
  std::vector<ItemTuple> FishItems(bool rows, unsigned d, std::initializer_list<std::uint32_t> deepestFirst,
                                   std::initializer_list<std::uint32_t> cover) {
    const std::uint32_t baseKind = rows ? GroupKind::kRow : GroupKind::kColumn;
    const std::uint32_t coverKind = rows ? GroupKind::kColumn : GroupKind::kRow;
    auto at = [rows](std::uint32_t base, std::uint32_t p) { return rows ? Cell(base, p) : Cell(p, base); };
    std::vector<ItemTuple> items;
    for (std::uint32_t line : deepestFirst) {
      for (std::uint32_t p : cover) {
        if (board.table.masks[at(line, p)] & (1u << d)) items.push_back(Cause(baseKind, at(line, p), Digits({d})));
      }
    }
    for (std::uint32_t p : cover) {
      for (std::uint32_t q = 0; q < 9; ++q) {
        if (std::find(deepestFirst.begin(), deepestFirst.end(), q) != deepestFirst.end()) continue;
        if (board.table.masks[at(q, p)] & (1u << d)) items.push_back(Effect(coverKind, at(q, p), Digits({d})));
      }
    }
    return items;
  }
};

const std::uint16_t kPair = Digits({1, 6});

TEST_F(ChainFishPatternTest, RemotePairOfFourCellsClearsCellsSeeingBothEnds) {
  // 0 -column- 45 -row- 49 -column- 13; the ends are in boxes 0 and 1, so
  // the box walks add cells beyond the two corner cells.
  for (std::uint32_t cell : {0u, 45u, 49u, 13u}) board.SetMask(cell, kPair);
  const CHintInfo hint = ApplyBothWays(PatternId::kRemotePair, true);
  using GroupKind::kTable;
  EXPECT_EQ(ItemsOf(hint),
            (std::vector<ItemTuple>{Cause(kTable, 0, kPair), Cause(kTable, 45, kPair), Cause(kTable, 49, kPair),
                                    Cause(kTable, 13, kPair), Effect(kTable, 4, kPair), Effect(kTable, 9, kPair),
                                    Effect(kTable, 10, kPair), Effect(kTable, 11, kPair), Effect(kTable, 3, kPair),
                                    Effect(kTable, 5, kPair)}));
}

TEST_F(ChainFishPatternTest, RemotePairWhoseFourthCellSharesTheStartBoxGrowsFurther) {
  // 0 -row- 4 -column- 22 -row- 19 (box 0 again) -column- 55 -row- 60.
  for (std::uint32_t cell : {0u, 4u, 22u, 19u, 55u, 60u}) board.SetMask(cell, kPair);
  const CHintInfo hint = ApplyBothWays(PatternId::kRemotePair, true);
  using GroupKind::kTable;
  EXPECT_EQ(ItemsOf(hint),
            (std::vector<ItemTuple>{Cause(kTable, 0, kPair), Cause(kTable, 4, kPair), Cause(kTable, 22, kPair),
                                    Cause(kTable, 19, kPair), Cause(kTable, 55, kPair), Cause(kTable, 60, kPair),
                                    Effect(kTable, 6, kPair), Effect(kTable, 54, kPair)}));
}

TEST_F(ChainFishPatternTest, RemotePairTakesOnlyTheLowestPartnerOfAGroup) {
  // Row 0 offers 3 and 6 as partners of 0. Only 3 is tried, and its chain
  // dies, so 0 -row- 6 -column- 42 -row- 37 is never built from 0; it is
  // found only later, backwards, from start cell 37.
  for (std::uint32_t cell : {0u, 3u, 6u, 37u, 42u}) board.SetMask(cell, kPair);
  const CHintInfo hint = ApplyBothWays(PatternId::kRemotePair, true);
  using GroupKind::kTable;
  EXPECT_EQ(ItemsOf(hint),
            (std::vector<ItemTuple>{Cause(kTable, 37, kPair), Cause(kTable, 42, kPair), Cause(kTable, 6, kPair),
                                    Cause(kTable, 0, kPair), Effect(kTable, 36, kPair), Effect(kTable, 1, kPair),
                                    Effect(kTable, 27, kPair), Effect(kTable, 45, kPair), Effect(kTable, 10, kPair),
                                    Effect(kTable, 19, kPair)}));
}

TEST_F(ChainFishPatternTest, RemotePairChainOfTwoCellsNeverEliminates) {
  board.SetMask(Cell(0, 0), kPair);
  board.SetMask(Cell(0, 5), kPair);
  ApplyBothWays(PatternId::kRemotePair, false);
}

TEST_F(ChainFishPatternTest, XWingInRowsCausesDeepestLineFirst) {
  KeepDigitOnlyAt(true, 1, 4, {2, 7});
  KeepDigitOnlyAt(true, 6, 4, {2, 7});
  const std::vector<ItemTuple> expected = FishItems(true, 4, {6, 1}, {2, 7});
  ASSERT_EQ(expected.size(), 4u + 14u);
  EXPECT_EQ(ItemsOf(ApplyBothWays(PatternId::kXWing, true)), expected);
}

TEST_F(ChainFishPatternTest, XWingInColumns) {
  KeepDigitOnlyAt(false, 3, 6, {0, 8});
  KeepDigitOnlyAt(false, 5, 6, {0, 8});
  const std::vector<ItemTuple> expected = FishItems(false, 6, {5, 3}, {0, 8});
  ASSERT_EQ(expected.size(), 4u + 14u);
  EXPECT_EQ(ItemsOf(ApplyBothWays(PatternId::kXWing, true)), expected);
}

TEST_F(ChainFishPatternTest, RowsAreSearchedForEveryDigitBeforeColumns) {
  // A column X-wing of digit 2 and a row X-wing of digit 7: the rows win
  // although the column fish has the lower digit.
  KeepDigitOnlyAt(false, 3, 2, {0, 8});
  KeepDigitOnlyAt(false, 5, 2, {0, 8});
  KeepDigitOnlyAt(true, 1, 7, {2, 7});
  KeepDigitOnlyAt(true, 6, 7, {2, 7});
  const std::vector<ItemTuple> expected = FishItems(true, 7, {6, 1}, {2, 7});
  EXPECT_EQ(ItemsOf(ApplyBothWays(PatternId::kXWing, true)), expected);
}

TEST_F(ChainFishPatternTest, FishGivesUpADigitWhoseFirstCombinationRemovesNothing) {
  // Rows 1 and 6 hold digit 4 only in columns 2 and 7, which hold it nowhere
  // else; rows 3 and 5 would make a working X-wing in columns 0 and 8, but
  // only the first combination of a digit is tried.
  for (std::uint32_t r = 0; r < 9; ++r) {
    if (r != 1 && r != 6) {
      board.table.masks[Cell(r, 2)] &= static_cast<std::uint16_t>(~(1u << 4));
      board.table.masks[Cell(r, 7)] &= static_cast<std::uint16_t>(~(1u << 4));
    }
  }
  KeepDigitOnlyAt(true, 1, 4, {2, 7});
  KeepDigitOnlyAt(true, 6, 4, {2, 7});
  KeepDigitOnlyAt(true, 3, 4, {0, 8});
  KeepDigitOnlyAt(true, 5, 4, {0, 8});
  ApplyBothWays(PatternId::kXWing, false);
}

TEST_F(ChainFishPatternTest, SwordfishAndJellyfishRemoveTheDigitAlongTheirCoverLines) {
  KeepDigitOnlyAt(true, 0, 0, {1, 4});
  KeepDigitOnlyAt(true, 4, 0, {4, 7});
  KeepDigitOnlyAt(true, 8, 0, {1, 7});
  const std::vector<ItemTuple> swordfish = FishItems(true, 0, {8, 4, 0}, {1, 4, 7});
  ASSERT_EQ(swordfish.size(), 6u + 18u);
  EXPECT_EQ(ItemsOf(ApplyBothWays(PatternId::kSwordfish, true)), swordfish);

  board.table.Init();
  KeepDigitOnlyAt(false, 0, 5, {0, 3});
  KeepDigitOnlyAt(false, 2, 5, {3, 6});
  KeepDigitOnlyAt(false, 5, 5, {6, 8});
  KeepDigitOnlyAt(false, 7, 5, {0, 8});
  // Rows see digit 5 in 8 or 9 places each, so only the columns qualify.
  const std::vector<ItemTuple> jellyfish = FishItems(false, 5, {7, 5, 2, 0}, {0, 3, 6, 8});
  ASSERT_EQ(jellyfish.size(), 8u + 20u);
  EXPECT_EQ(ItemsOf(ApplyBothWays(PatternId::kJellyfish, true)), jellyfish);
}

TEST_F(ChainFishPatternTest, LinesWithASinglePlaceNeverJoinAFish) {
  // Rows 1 and 6 hold digit 4 in columns 2 and 7, row 3 only in column 2.
  // Taking row 3 would make a swordfish with a cover of two columns.
  KeepDigitOnlyAt(true, 1, 4, {2, 7});
  KeepDigitOnlyAt(true, 6, 4, {2, 7});
  KeepDigitOnlyAt(true, 3, 4, {2});
  ApplyBothWays(PatternId::kSwordfish, false);
}

}  // namespace
