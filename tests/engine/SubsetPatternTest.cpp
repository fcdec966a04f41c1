// Naked and hidden pairs, triples and quads on authored groups: what they
// remove, the exact items of their hint, and that a combination which
// changes nothing leaves no trace.

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <vector>

#include "engine/CTBoxGroup.h"
#include "engine/CTColumnGroup.h"
#include "engine/CTRowGroup.h"
#include "engine/CTSingletonPatternFactory.h"
#include "tests/engine/HintItems.h"
#include "tests/engine/MaskBoard.h"

namespace {

constexpr std::uint16_t kFilled = 0;  // in a layout: the cell holds a digit

struct SubsetCase {
  const char* name;
  std::uint32_t patternId;
  std::uint32_t kind;
  std::uint32_t index;
  std::array<std::uint16_t, 9> layout;  // by position in the group
  std::vector<ItemTuple> items;         // empty: the technique must not apply
};

std::unique_ptr<CTGroup<3>> MakeGroup(CTTable<3>& table, std::uint32_t kind, std::uint32_t index) {
  if (kind == GroupKind::kRow) return std::make_unique<CTRowGroup<3>>(&table, index);
  if (kind == GroupKind::kColumn) return std::make_unique<CTColumnGroup<3>>(&table, index);
  return std::make_unique<CTBoxGroup<3>>(&table, index);
}

void Author(MaskBoard& board, CTGroup<3>& group, const std::array<std::uint16_t, 9>& layout) {
  board.table.Init();
  for (std::uint32_t p = 0; p < 9; ++p) {
    const std::uint32_t cell = group.CellGroupIndexToCellTableIndex(p);
    if (layout[p] == kFilled) {
      board.Fill(cell);
    } else {
      board.SetMask(cell, layout[p]);
    }
  }
}

const std::vector<SubsetCase>& Cases() {
  using namespace GroupKind;
  static const std::vector<SubsetCase> cases = {
      {"naked pair {3,8} clears the third cell",
       PatternId::kNakedPair,
       kRow,
       0,
       {kFilled, Digits({3, 8}), kFilled, kFilled, Digits({3, 8}), kFilled, Digits({3, 7, 8}), kFilled, kFilled},
       {Cause(kRow, 1, Digits({3, 8})), Cause(kRow, 4, Digits({3, 8})), Effect(kRow, 6, Digits({3, 8}))}},
      {"naked pair whose digits appear nowhere else",
       PatternId::kNakedPair,
       kRow,
       0,
       {kFilled, Digits({3, 8}), kFilled, kFilled, Digits({3, 8}), kFilled, Digits({7}), kFilled, kFilled},
       {}},
      {"naked triple without a three-digit cell, in a column",
       PatternId::kNakedTriple,
       kColumn,
       2,
       {Digits({1, 2}), kFilled, kFilled, Digits({2, 5}), Digits({1, 6}), Digits({5, 6, 7}), kFilled, Digits({1, 5}),
        kFilled},
       {Cause(kColumn, 2, Digits({1, 2})), Cause(kColumn, 29, Digits({2, 5})), Effect(kColumn, 38, Digits({1})),
        Effect(kColumn, 47, Digits({5})), Cause(kColumn, 65, Digits({1, 5}))}},
      {"naked quad in a box, items by position",
       PatternId::kNakedQuad,
       kBox,
       4,
       {Digits({0, 1}), Digits({0, 4}), Digits({1, 2}), kFilled, Digits({2, 3}), Digits({3, 4, 5}), kFilled, kFilled,
        Digits({0, 3})},
       {Cause(kBox, 30, Digits({0, 1})), Effect(kBox, 31, Digits({0})), Cause(kBox, 32, Digits({1, 2})),
        Cause(kBox, 40, Digits({2, 3})), Effect(kBox, 41, Digits({3})), Cause(kBox, 50, Digits({0, 3}))}},
      {"hidden pair after a bare pair that changes nothing",
       PatternId::kHiddenPair,
       kRow,
       0,
       {Digits({1, 2}), Digits({1, 2}), kFilled, Digits({4, 5, 6}), kFilled, Digits({4, 5, 7}), Digits({6, 8}),
        Digits({6, 7, 8}), Digits({6, 7, 8})},
       {Cause(kRow, 3, Digits({4, 5})), Effect(kRow, 3, Digits({6})), Cause(kRow, 5, Digits({4, 5})),
        Effect(kRow, 5, Digits({7}))}},
      {"hidden triple in a column",
       PatternId::kHiddenTriple,
       kColumn,
       4,
       {Digits({3, 4, 5}), Digits({3, 4, 6}), Digits({0, 1, 7}), Digits({5, 6, 8}), Digits({4, 7, 8}),
        Digits({1, 2, 3}), Digits({0, 2, 8}), Digits({5, 6, 7}), Digits({3, 8})},
       {Cause(kColumn, 22, Digits({0, 1})), Effect(kColumn, 22, Digits({7})), Cause(kColumn, 49, Digits({1, 2})),
        Effect(kColumn, 49, Digits({3})), Cause(kColumn, 58, Digits({0, 2})), Effect(kColumn, 58, Digits({8}))}},
      {"hidden quad in a box",
       PatternId::kHiddenQuad,
       kBox,
       8,
       {Digits({4, 5}), Digits({0, 1, 4}), Digits({5, 6}), Digits({1, 2, 6}), Digits({2, 3, 7}), Digits({7, 8}),
        Digits({4, 8}), Digits({5, 6, 7, 8}), Digits({0, 3, 8})},
       {Cause(kBox, 61, Digits({0, 1})), Effect(kBox, 61, Digits({4})), Cause(kBox, 69, Digits({1, 2})),
        Effect(kBox, 69, Digits({6})), Cause(kBox, 70, Digits({2, 3})), Effect(kBox, 70, Digits({7})),
        Cause(kBox, 80, Digits({0, 3})), Effect(kBox, 80, Digits({8}))}},
      {"hidden pair whose cells hold nothing else",
       PatternId::kHiddenPair,
       kRow,
       0,
       {Digits({1, 2}), Digits({1, 2}), kFilled, Digits({4, 5, 6}), kFilled, Digits({4, 5, 6}), Digits({4, 5, 6}),
        kFilled, kFilled},
       {}},
  };
  return cases;
}

TEST(SubsetPatternTest, AuthoredLayoutsGiveTheirExactFindings) {
  for (const SubsetCase& c : Cases()) {
    SCOPED_TRACE(c.name);
    MaskBoard board;
    std::unique_ptr<CTGroup<3>> group = MakeGroup(board.table, c.kind, c.index);
    std::unique_ptr<CTPattern<3>> pattern = CTSingletonPatternFactory<3>::Create(c.patternId);
    const bool applies = !c.items.empty();

    // Silent step first, then the same layout with a hint record: both must
    // change the board alike, and each success counts once.
    Author(board, *group, c.layout);
    EXPECT_EQ(pattern->Apply(*group, nullptr), applies);
    const auto silentResult = board.Masks();

    Author(board, *group, c.layout);
    const auto before = board.Masks();
    CHintInfo hint;
    EXPECT_EQ(pattern->Apply(*group, &hint), applies);
    EXPECT_EQ(ItemsOf(hint), c.items);
    EXPECT_EQ(hint.GetPatternId(), applies ? c.patternId : PatternId::kNone);
    EXPECT_EQ(board.Masks(), silentResult);
    ExpectEffectsMatchRemovals(before, board.Masks(), hint);
    EXPECT_EQ(pattern->GetUsage(), applies ? 2u : 0u);
  }
}

// A naked subset only takes cells with at most k candidates, so a quad's
// cells never join a pair, and the first changing combination stops the search.
TEST(SubsetPatternTest, NakedPairStopsAtTheFirstCombinationThatChangesSomething) {
  MaskBoard board;
  CTRowGroup<3> row(&board.table, 5);
  const std::uint32_t base = 5 * 9;
  board.SetMask(base + 0, Digits({1, 2}));
  board.SetMask(base + 1, Digits({1, 2}));
  board.SetMask(base + 2, Digits({3, 4}));
  board.SetMask(base + 3, Digits({3, 4}));
  for (std::uint32_t p = 4; p < 9; ++p) board.SetMask(base + p, Digits({1, 2, 3, 4, 5, 6, 7, 8}));
  std::unique_ptr<CTPattern<3>> pair = CTSingletonPatternFactory<3>::Create(PatternId::kNakedPair);
  CHintInfo hint;
  ASSERT_TRUE(pair->Apply(row, &hint));
  EXPECT_EQ(board.table.masks[base + 2], Digits({3, 4})) << "the {3,4} pair must wait for the next call";
  EXPECT_EQ(board.table.masks[base + 4], Digits({3, 4, 5, 6, 7, 8}));
  ASSERT_TRUE(pair->Apply(row, nullptr));
  EXPECT_EQ(board.table.masks[base + 4], Digits({5, 6, 7, 8}));
  EXPECT_EQ(pair->GetUsage(), 2u);
}

}  // namespace
