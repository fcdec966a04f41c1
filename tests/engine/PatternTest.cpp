#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <ostream>
#include <vector>

#include "engine/CHintInfo.h"
#include "engine/CTBoxGroup.h"
#include "engine/CTColumnGroup.h"
#include "engine/CTRowGroup.h"
#include "engine/patterns/CTBoxLineReductionPattern.h"
#include "engine/patterns/CTHiddenSinglePattern.h"
#include "engine/patterns/CTIllegalCandidatePattern.h"
#include "engine/patterns/CTIllegalValuePattern.h"
#include "engine/patterns/CTNakedSinglePattern.h"
#include "engine/patterns/CTPointingPairPattern.h"

// Hint items compare field by field so a failure prints which one differs.
bool operator==(const HintItem& a, const HintItem& b) {
  return a.cause == b.cause && a.kind == b.kind && a.cell == b.cell && a.mask == b.mask;
}
std::ostream& operator<<(std::ostream& out, const HintItem& item) {
  return out << "{" << (item.cause ? "cause" : "effect") << ", kind " << item.kind << ", cell " << item.cell
             << ", mask 0x" << std::hex << item.mask << std::dec << "}";
}

namespace {

constexpr std::uint8_t C = kHintCause;
constexpr std::uint8_t E = kHintEffect;
constexpr std::uint16_t Bit(unsigned d) { return static_cast<std::uint16_t>(1u << d); }
constexpr std::uint32_t Cell(std::uint32_t row, std::uint32_t column) { return row * 9 + column; }

// A 9x9 board whose masks the tests set directly, with the groups a solver
// would bind to it.
class PatternTest : public ::testing::Test {
 protected:
  CTTable<3> table;
  CTRowGroup<3> Row(std::uint32_t r) { return CTRowGroup<3>(&table, r); }
  CTColumnGroup<3> Column(std::uint32_t c) { return CTColumnGroup<3>(&table, c); }
  CTBoxGroup<3> Box(std::uint32_t b) { return CTBoxGroup<3>(&table, b); }

  void Place(std::uint32_t cell, std::uint8_t digit) {
    table.values[cell] = digit;
    table.masks[cell] = Bit(digit);
  }
  // Takes digit out of every cell of the group except the given positions.
  void KeepOnlyAt(CTGroup<3>& group, unsigned digit, std::initializer_list<std::uint32_t> positions) {
    for (std::uint32_t i = 0; i < 9; ++i) {
      if (std::find(positions.begin(), positions.end(), i) == positions.end()) group.GetCell(i).RemoveCandidate(digit);
    }
  }
  std::uint32_t CandidateTotal() const {
    std::uint32_t total = 0;
    for (std::uint16_t mask : table.masks) total += static_cast<std::uint32_t>(std::popcount(mask));
    return total;
  }
};

TEST_F(PatternTest, IllegalValueReportsTheFirstDuplicateInEveryKindOfGroup) {
  for (std::uint32_t kind = GroupKind::kRow; kind <= GroupKind::kBox; ++kind) {
    table.Init();
    CTRowGroup<3> row = Row(4);
    CTColumnGroup<3> column = Column(4);
    CTBoxGroup<3> box = Box(4);
    CTGroup<3>& group = kind == GroupKind::kRow      ? static_cast<CTGroup<3>&>(row)
                        : kind == GroupKind::kColumn ? static_cast<CTGroup<3>&>(column)
                                                     : static_cast<CTGroup<3>&>(box);
    CTIllegalValuePattern<3> pattern;
    CHintInfo hint;
    EXPECT_FALSE(pattern.Apply(group, &hint));

    Place(group.CellGroupIndexToCellTableIndex(1), 4);
    Place(group.CellGroupIndexToCellTableIndex(2), 5);
    Place(group.CellGroupIndexToCellTableIndex(6), 5);
    Place(group.CellGroupIndexToCellTableIndex(7), 4);  // a later pair must not win
    const std::uint32_t candidatesBefore = CandidateTotal();
    EXPECT_TRUE(pattern.Apply(group, nullptr));
    EXPECT_TRUE(pattern.Apply(group, &hint));
    EXPECT_EQ(hint.GetPatternId(), PatternId::kIllegalValue);
    EXPECT_EQ(hint.GetItems(), (std::vector<HintItem>{{E, kind, group.CellGroupIndexToCellTableIndex(6), Bit(5)},
                                                      {C, kind, group.CellGroupIndexToCellTableIndex(2), Bit(5)}}));
    EXPECT_EQ(CandidateTotal(), candidatesBefore);
    EXPECT_EQ(table.CountEmptyValues(), 81u - 4u);
    EXPECT_EQ(pattern.GetUsage(), 0u);
  }
}

TEST_F(PatternTest, IllegalCandidateRemovesExactlyOnePerCall) {
  Place(Cell(0, 3), 1);
  Place(Cell(0, 7), 6);
  CTRowGroup<3> row = Row(0);
  CTIllegalCandidatePattern<3> pattern;
  CHintInfo hint;
  ASSERT_TRUE(pattern.Apply(row, &hint));
  EXPECT_EQ(hint.GetPatternId(), PatternId::kIllegalCandidate);
  EXPECT_EQ(hint.GetItems(), (std::vector<HintItem>{{C, 1, Cell(0, 3), Bit(1)}, {E, 1, Cell(0, 0), Bit(1)}}));
  EXPECT_FALSE(table.GetCell(Cell(0, 0)).HasCandidate(1));
  EXPECT_TRUE(table.GetCell(Cell(0, 1)).HasCandidate(1));

  // Seven empty cells each hold both digits: 14 removals in all, one at a
  // time, digit 1 first; the placed cells keep their own masks.
  std::uint32_t calls = 1;
  while (true) {
    const std::uint32_t before = CandidateTotal();
    if (!pattern.Apply(row, nullptr)) break;
    EXPECT_EQ(CandidateTotal(), before - 1);
    ++calls;
  }
  EXPECT_EQ(calls, 14u);
  EXPECT_EQ(table.masks[Cell(0, 3)], Bit(1));
  EXPECT_EQ(pattern.GetUsage(), 0u);
}

TEST_F(PatternTest, NakedSinglesAllAtOnceWithoutARecordOnlyTheFirstWithOne) {
  const std::uint32_t cells[] = {Cell(0, 8), Cell(2, 2), Cell(7, 4)};
  const std::uint8_t digits[] = {3, 0, 8};
  auto prepare = [&] {
    table.Init();
    for (int k = 0; k < 3; ++k) table.masks[cells[k]] = Bit(digits[k]);
    table.values[Cell(4, 4)] = 5;  // a filled cell with one candidate is no single
    table.masks[Cell(4, 4)] = Bit(2);
  };
  CTRowGroup<3> row0 = Row(0);

  prepare();
  CTNakedSinglePattern<3> silent;
  EXPECT_TRUE(silent.Apply(row0, nullptr));
  EXPECT_EQ(silent.GetUsage(), 3u);
  for (int k = 0; k < 3; ++k) {
    EXPECT_EQ(table.values[cells[k]], digits[k]);
    EXPECT_EQ(table.masks[cells[k]], Bit(digits[k]));
  }
  EXPECT_EQ(table.values[Cell(4, 4)], 5);
  EXPECT_EQ(table.masks[Cell(0, 0)], 0x01FF);  // peers are left to the candidate update
  EXPECT_FALSE(silent.Apply(row0, nullptr));
  EXPECT_EQ(silent.GetUsage(), 3u);

  prepare();
  CTNakedSinglePattern<3> hinting;
  CHintInfo hint;
  EXPECT_TRUE(hinting.Apply(row0, &hint));
  EXPECT_EQ(hinting.GetUsage(), 1u);
  EXPECT_EQ(hint.GetPatternId(), PatternId::kNakedSingle);
  EXPECT_EQ(hint.GetItems(), (std::vector<HintItem>{{C, 0, Cell(0, 8), Bit(3)}}));
  EXPECT_EQ(table.values[Cell(0, 8)], 3);
  EXPECT_EQ(table.values[Cell(2, 2)], kEmptyValue);
  hinting.ResetUsage();
  EXPECT_EQ(hinting.GetUsage(), 0u);
}

TEST_F(PatternTest, HiddenSinglePlacesTheDigitAtItsOnlyPosition) {
  CTRowGroup<3> row = Row(3);
  KeepOnlyAt(row, 7, {5});
  KeepOnlyAt(row, 2, {1});
  Place(Cell(3, 0), 4);  // a filled cell's mask does not count
  table.masks[Cell(3, 0)] = 0x01FF;
  CHintInfo hint;
  CTHiddenSinglePattern<3> hinting;
  EXPECT_TRUE(hinting.Apply(row, &hint));
  EXPECT_EQ(hint.GetPatternId(), PatternId::kHiddenSingle);
  EXPECT_EQ(hint.GetItems(), (std::vector<HintItem>{{C, 1, Cell(3, 1), Bit(2)}}));
  EXPECT_EQ(table.values[Cell(3, 1)], 2);
  EXPECT_EQ(table.values[Cell(3, 5)], kEmptyValue);
  EXPECT_EQ(hinting.GetUsage(), 1u);

  table.values[Cell(3, 1)] = kEmptyValue;
  CTHiddenSinglePattern<3> silent;
  EXPECT_TRUE(silent.Apply(row, nullptr));
  EXPECT_EQ(table.values[Cell(3, 1)], 2);
  EXPECT_EQ(table.values[Cell(3, 5)], 7);
  EXPECT_EQ(silent.GetUsage(), 2u);
  EXPECT_FALSE(silent.Apply(row, nullptr));
}

TEST_F(PatternTest, HiddenSingleNeverPlacesTwoDigitsIntoOneCell) {
  // A broken box: position 4 is the only place for both 2 and 5.
  CTBoxGroup<3> box = Box(6);
  KeepOnlyAt(box, 2, {4});
  KeepOnlyAt(box, 5, {4});
  CTHiddenSinglePattern<3> pattern;
  EXPECT_TRUE(pattern.Apply(box, nullptr));
  EXPECT_EQ(box.GetCell(4).GetValue(), 2);
  EXPECT_EQ(pattern.GetUsage(), 1u);
  EXPECT_EQ(table.CountEmptyValues(), 80u);
}

TEST_F(PatternTest, BoxLineReductionWalksTheBoxColumnByColumn) {
  // Row 0 can hold 3 only in columns 0 and 2 (box 0); box 0 also has 3 in
  // row 1 columns 0 and 2 and row 2 column 1.
  CTRowGroup<3> row = Row(0);
  KeepOnlyAt(row, 3, {0, 2});
  CTBoxGroup<3> box = Box(0);
  KeepOnlyAt(box, 3, {0, 2, 3, 5, 7});
  table.values[Cell(2, 2)] = 0;  // a filled cell with the candidate is left alone
  table.masks[Cell(2, 2)] |= Bit(3);

  CTBoxLineReductionPattern<3> pattern;
  CHintInfo hint;
  EXPECT_TRUE(pattern.Apply(row, &hint));
  EXPECT_EQ(hint.GetPatternId(), PatternId::kBoxLineReduction);
  EXPECT_EQ(hint.GetItems(), (std::vector<HintItem>{{C, 1, Cell(0, 0), Bit(3)},
                                                    {E, 3, Cell(1, 0), Bit(3)},
                                                    {E, 3, Cell(2, 1), Bit(3)},
                                                    {C, 1, Cell(0, 2), Bit(3)},
                                                    {E, 3, Cell(1, 2), Bit(3)}}));
  EXPECT_FALSE(table.GetCell(Cell(1, 0)).HasCandidate(3));
  EXPECT_FALSE(table.GetCell(Cell(2, 1)).HasCandidate(3));
  EXPECT_TRUE(table.GetCell(Cell(2, 2)).HasCandidate(3));
  EXPECT_TRUE(table.GetCell(Cell(0, 2)).HasCandidate(3));
  EXPECT_EQ(pattern.GetUsage(), 1u);

  // Nothing left to remove: false, and the record is emptied to id 16.
  CHintInfo again;
  EXPECT_FALSE(pattern.Apply(row, &again));
  EXPECT_EQ(again.GetPatternId(), PatternId::kNone);
  EXPECT_EQ(again.GetItemCount(), 0u);
  EXPECT_EQ(pattern.GetUsage(), 1u);
}

TEST_F(PatternTest, BoxLineReductionOnAColumnAndADigitSpreadOverBoxes) {
  CTColumnGroup<3> column = Column(7);
  // Digit 0 spreads over boxes 2 and 5: no reduction. Digit 1 sits in box 8.
  KeepOnlyAt(column, 0, {1, 4});
  KeepOnlyAt(column, 1, {6, 8});
  CTBoxGroup<3> box = Box(8);
  KeepOnlyAt(box, 0, {});
  KeepOnlyAt(box, 1, {1, 7, 8});  // rows 6 and 8 of column 7, row 8 column 8
  CTBoxLineReductionPattern<3> pattern;
  CHintInfo hint;
  EXPECT_TRUE(pattern.Apply(column, &hint));
  EXPECT_EQ(hint.GetItems(), (std::vector<HintItem>{
                                 {C, 2, Cell(6, 7), Bit(1)}, {C, 2, Cell(8, 7), Bit(1)}, {E, 3, Cell(8, 8), Bit(1)}}));
  // Digit 0 was never confined: boxes 2 and 5 keep it off the column.
  EXPECT_TRUE(table.GetCell(Cell(0, 6)).HasCandidate(0));
  EXPECT_TRUE(table.GetCell(Cell(3, 6)).HasCandidate(0));
}

TEST_F(PatternTest, PointingPairClearsTheRestOfTheRow) {
  // Box 4 holds 6 only in row 4 (columns 3 and 5).
  CTBoxGroup<3> box = Box(4);
  KeepOnlyAt(box, 6, {3, 5});
  CTRowGroup<3> row = Row(4);
  KeepOnlyAt(row, 6, {0, 3, 5, 8});
  Place(Cell(4, 1), 6);  // filled cells of the line are skipped
  CTPointingPairPattern<3> pattern;
  CHintInfo hint;
  EXPECT_TRUE(pattern.Apply(box, &hint));
  EXPECT_EQ(hint.GetPatternId(), PatternId::kPointingPair);
  EXPECT_EQ(hint.GetItems(), (std::vector<HintItem>{{E, 1, Cell(4, 0), Bit(6)},
                                                    {C, 3, Cell(4, 3), Bit(6)},
                                                    {C, 3, Cell(4, 5), Bit(6)},
                                                    {E, 1, Cell(4, 8), Bit(6)}}));
  EXPECT_EQ(pattern.GetUsage(), 1u);
  EXPECT_FALSE(table.GetCell(Cell(4, 8)).HasCandidate(6));
  EXPECT_EQ(table.masks[Cell(4, 1)], Bit(6));
}

TEST_F(PatternTest, PointingPairOfOneCellTriesTheRowFirstThenTheColumn) {
  // Box 0's only place for 8 is row 1, column 1. Row 1 has no other 8, so
  // the row attempt changes nothing; column 1 loses 8 in rows 5 and 7.
  CTBoxGroup<3> box = Box(0);
  KeepOnlyAt(box, 8, {4});
  CTRowGroup<3> row = Row(1);
  KeepOnlyAt(row, 8, {1});
  CTColumnGroup<3> column = Column(1);
  KeepOnlyAt(column, 8, {1, 5, 7});
  CTPointingPairPattern<3> pattern;
  CHintInfo hint;
  EXPECT_TRUE(pattern.Apply(box, &hint));
  EXPECT_EQ(hint.GetPatternId(), PatternId::kPointingPair);
  // Only the column attempt's items remain.
  EXPECT_EQ(hint.GetItems(), (std::vector<HintItem>{
                                 {C, 3, Cell(1, 1), Bit(8)}, {E, 2, Cell(5, 1), Bit(8)}, {E, 2, Cell(7, 1), Bit(8)}}));

  // Once both lines are clear nothing applies and no record is left behind.
  CHintInfo again;
  EXPECT_FALSE(pattern.Apply(box, &again));
  EXPECT_EQ(again.GetPatternId(), PatternId::kNone);
  EXPECT_EQ(again.GetItemCount(), 0u);
  EXPECT_EQ(pattern.GetUsage(), 1u);
}

TEST(HintInfo, StartsEmptyAndCopiesItsItems) {
  CHintInfo hint;
  EXPECT_EQ(hint.GetPatternId(), PatternId::kNone);
  EXPECT_EQ(hint.GetItemCount(), 0u);
  hint.SetPatternId(PatternId::kHiddenSingle);
  hint.AddItem(C, 2, 40, Bit(3));
  hint.AddItem(E, 3, 41, Bit(3));
  CHintInfo copy = hint;
  hint.Discard();
  EXPECT_EQ(hint.GetPatternId(), PatternId::kNone);
  EXPECT_EQ(hint.GetItemCount(), 0u);
  EXPECT_EQ(copy.GetPatternId(), PatternId::kHiddenSingle);
  EXPECT_EQ(copy.GetItems(), (std::vector<HintItem>{{C, 2, 40, Bit(3)}, {E, 3, 41, Bit(3)}}));
  copy.RemoveLastItem();
  EXPECT_EQ(copy.GetItemCount(), 1u);
}

}  // namespace
