// The logical solver: step lists, the logical loop's results, the search's
// results (with the real depth search and with scripted branch makers), the
// progress callback, the rating and hints.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/CSudokuSolver.h"
#include "engine/CTGroupLayout.h"
#include "tests/engine/GridHelpers.h"
#include "tests/engine/ThrownText.h"

namespace {

// A solver whose search strategy a test can replace.
template <unsigned N>
class TestSolver : public CSudokuSolver<N> {
 public:
  using CSudokuSolver<N>::SetBranchMaker;

  void Load(const std::vector<std::uint8_t>& values) {
    std::copy(values.begin(), values.end(), this->GetTable().values);
  }
  std::vector<std::uint8_t> Values() const {
    const CTTable<N>& table = this->GetTable();
    return std::vector<std::uint8_t>(std::begin(table.values), std::end(table.values));
  }
  void SetSteps(std::vector<std::uint32_t> ids) {
    this->SetPatterns(ids.data(), static_cast<std::uint32_t>(ids.size()));
  }
  std::vector<std::uint32_t> Steps() const {
    std::vector<std::uint32_t> ids(16);
    std::uint32_t count = 0;
    this->GetPatterns(ids.data(), count);
    ids.resize(count);
    return ids;
  }
};

constexpr std::uint8_t _ = kEmptyValue;

// Digits are written 1-based here, as a player reads them.
std::vector<std::uint8_t> Grid(std::initializer_list<int> oneBased) {
  std::vector<std::uint8_t> values;
  for (int v : oneBased) values.push_back(v == 0 ? kEmptyValue : static_cast<std::uint8_t>(v - 1));
  return values;
}

template <unsigned N>
std::vector<std::uint8_t> CompleteGrid() {
  std::vector<std::uint8_t> values;
  for (std::uint32_t r = 0; r < N * N; ++r) {
    for (std::uint32_t c = 0; c < N * N; ++c) values.push_back(GridHelpers<N>::Complete(r, c));
  }
  return values;
}

// A 9x9 puzzle that singles alone cannot finish (it has several solutions,
// so the search must guess): the complete grid with only every fourth cell
// of the first six rows kept.
std::vector<std::uint8_t> SparsePuzzle() {
  std::vector<std::uint8_t> values = CompleteGrid<3>();
  for (std::uint32_t cell = 0; cell < 81; ++cell) {
    if (cell % 4 != 0 || cell >= 54) values[cell] = kEmptyValue;
  }
  return values;
}

void ExpectSolutionOf(const std::vector<std::uint8_t>& puzzle, const std::vector<std::uint8_t>& solution) {
  ASSERT_EQ(puzzle.size(), solution.size());
  for (std::size_t cell = 0; cell < puzzle.size(); ++cell) {
    EXPECT_NE(solution[cell], kEmptyValue) << "cell " << cell;
    if (puzzle[cell] != kEmptyValue) {
      EXPECT_EQ(solution[cell], puzzle[cell]) << "given of cell " << cell;
    }
  }
}

TEST(SolverTest, StepListIsSetValidatedAndReported) {
  TestSolver<3> solver;
  EXPECT_EQ(solver.Steps(), (std::vector<std::uint32_t>{2, 3}));

  solver.SetSteps({2, 3, 5, 4});
  std::vector<std::uint32_t> ids(16);
  std::uint32_t count = 0;
  solver.GetPatterns(ids.data(), count);
  EXPECT_EQ(count, 4u);
  EXPECT_EQ(ids, (std::vector<std::uint32_t>{2, 3, 5, 4, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16}));

  // A bad id leaves the list as it was, even when good ids precede it.
  EXPECT_EQ(ThrownText([&] { solver.SetSteps({6, 16}); }), "There is no such pattern!!");
  EXPECT_EQ(solver.Steps(), (std::vector<std::uint32_t>{2, 3, 5, 4}));

  // Only sixteen slots exist; what lies beyond is ignored, even a bad id.
  std::vector<std::uint32_t> many(16, 7);
  many.push_back(99);
  solver.SetSteps(many);
  EXPECT_EQ(solver.Steps(), std::vector<std::uint32_t>(16, 7));

  solver.SetSteps({});
  solver.GetPatterns(ids.data(), count);
  EXPECT_EQ(count, 0u);
  EXPECT_EQ(ids, std::vector<std::uint32_t>(16, 16));
}

TEST(SolverTest, SolveLogicalResults) {
  struct Case {
    const char* name;
    std::vector<std::uint8_t> grid;
    std::vector<std::uint32_t> steps;
    std::uint32_t result;
  };
  std::vector<std::uint8_t> duplicate = CompleteGrid<2>();
  duplicate[2] = duplicate[0];  // same digit twice in row 0
  duplicate[1] = _;
  // Cell 0 sees 2 in its row, 3 in its box, 1 and 4 in its column.
  const std::vector<std::uint8_t> deadCell = Grid({0, 2, 0, 0,  //
                                                   1, 3, 0, 0,  //
                                                   0, 0, 0, 0,  //
                                                   4, 0, 0, 0});
  std::vector<std::uint8_t> fourSingles = CompleteGrid<2>();
  for (std::uint32_t cell : {0u, 5u, 10u, 15u}) fourSingles[cell] = _;
  const std::vector<Case> cases = {
      {"complete grid", CompleteGrid<2>(), {2, 3}, SolveResult::kSolved},
      {"digit twice in a row", duplicate, {2, 3}, SolveResult::kContradiction},
      {"empty cell whose peers hold every digit", deadCell, {2, 3}, SolveResult::kContradiction},
      {"no steps with an empty cell", Grid({1, 2, 3, 0, 3, 4, 1, 2, 2, 1, 4, 3, 4, 3, 2, 1}), {}, SolveResult::kStuck},
      {"singles finish a 4x4 puzzle", fourSingles, {2, 3}, SolveResult::kSolved},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestSolver<2> solver;
    solver.Load(c.grid);
    solver.SetSteps(c.steps);
    EXPECT_EQ(solver.SolveLogical(), c.result);
  }
}

TEST(SolverTest, CompleteGridNeedsNoStepAndRatesZero) {
  TestSolver<3> solver;
  solver.Load(CompleteGrid<3>());
  EXPECT_EQ(solver.SolveLogical(), SolveResult::kSolved);
  EXPECT_EQ(solver.GetRating(), 0u);
  EXPECT_EQ(solver.Values(), CompleteGrid<3>());
}

TEST(SolverTest, CandidatesAreOnlyRemovedAndFilledCellsAreMaskedToo) {
  TestSolver<2> solver;
  CTTable<2>& table = solver.GetTable();
  table.values[0] = 0;
  table.values[1] = 1;
  table.masks[5] = 0x8;  // an empty cell narrowed by hand keeps its narrowing
  solver.UpdateCandidates();
  EXPECT_EQ(table.masks[0], 0xC);  // row 0 and box 0 hold digits 0 and 1
  EXPECT_EQ(table.masks[2], 0xC);
  EXPECT_EQ(table.masks[4], 0xC);  // box 0
  EXPECT_EQ(table.masks[8], 0xE);  // column 0 holds digit 0
  EXPECT_EQ(table.masks[5], 0x8);
  EXPECT_EQ(table.masks[15], 0xF);

  // The per-group forms: a row's digits leave the rest of the board alone,
  // and a box with a digit twice is caught while its rows are fine.
  CTRowGroup<2> row3(&table, 3);
  table.values[12] = 3;
  solver.ExcludePlacedValues(row3);
  EXPECT_EQ(table.masks[13], 0x5);  // column 1 had taken digit 1 already
  EXPECT_EQ(table.masks[9], 0xD);   // unchanged by the row
  CTBoxGroup<2> box0(&table, 0);
  EXPECT_TRUE(solver.CheckGroupConsistency(box0));
  EXPECT_TRUE(solver.CheckConsistency());
  table.values[4] = 1;  // (1,0): digit 1 again in box 0, not in row 1 or column 0
  EXPECT_FALSE(solver.CheckGroupConsistency(box0));
  EXPECT_TRUE(solver.CheckGroupConsistency(CTRowGroup<2>(&table, 1)));
  EXPECT_FALSE(solver.CheckConsistency());
  table.values[4] = kEmptyValue;
  table.values[12] = kEmptyValue;

  // An empty cell without candidates stops the count where it stands.
  table.masks[6] = 0;
  std::uint32_t count = 99;
  EXPECT_FALSE(CSudokuSolver<2>::CountEmptyCells(table, count));
  EXPECT_EQ(count, 5u);  // cells 2, 3, 4, 5, 6
  table.masks[6] = 0x4;
  EXPECT_TRUE(CSudokuSolver<2>::CountEmptyCells(table, count));
  EXPECT_EQ(count, 14u);
}

TEST(SolverTest, SolveFindsASolutionThatKeepsTheGivens) {
  {
    const std::vector<std::uint8_t> puzzle = SparsePuzzle();
    TestSolver<3> solver;
    solver.Load(puzzle);
    ASSERT_EQ(solver.SolveLogical(), SolveResult::kStuck) << "the puzzle must need the search";
    EXPECT_EQ(solver.Solve(nullptr), SolveResult::kSolved);
    ExpectSolutionOf(puzzle, solver.Values());
    EXPECT_TRUE(GridHelpers<3>::IsConsistent(solver.Values().data()));
  }
  {
    const std::vector<std::uint8_t> puzzle = Grid({0, 0, 0, 0, 0, 3, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0});
    TestSolver<2> solver;
    solver.Load(puzzle);
    EXPECT_EQ(solver.Solve(nullptr), SolveResult::kSolved);
    ExpectSolutionOf(puzzle, solver.Values());
    EXPECT_TRUE(GridHelpers<2>::IsConsistent(solver.Values().data()));
  }
}

TEST(SolverTest, SolveReportsNoSolutionForALocallyConsistentDeadGrid) {
  // Row 0 needs 3 and 4 in its last two cells, but columns 2 and 3 both
  // hold 3 already. Every cell still has a candidate.
  const std::vector<std::uint8_t> puzzle = Grid({1, 2, 0, 0,  //
                                                 0, 0, 3, 0,  //
                                                 0, 0, 0, 3,  //
                                                 0, 0, 0, 0});
  for (const std::vector<std::uint32_t>& steps : {std::vector<std::uint32_t>{2, 3}, std::vector<std::uint32_t>{}}) {
    TestSolver<2> solver;
    solver.Load(puzzle);
    solver.SetSteps(steps);
    EXPECT_EQ(solver.Solve(nullptr), SolveResult::kNoSolution) << steps.size() << " steps";
  }
}

// A branch maker that follows a script, to reach the search's rarer results.
class ScriptedBranchMaker : public CBranchMaker<2> {
 public:
  bool makeResult = true;
  bool nextResult = true;
  bool lost = false;
  std::uint32_t makeCalls = 0;
  std::uint32_t nextCalls = 0;
  std::uint32_t clearCalls = 0;

  void Init() override { m_branchCount = 0; }
  void Clear() override { ++clearCalls; }
  bool MakeBranch(CTTable<2>&) override {
    ++makeCalls;
    m_lostBranch = lost;
    if (makeResult) ++m_branchCount;
    return makeResult;
  }
  bool NextBranch(CTTable<2>&) override {
    ++nextCalls;
    m_lostBranch = lost;
    return nextResult;
  }
};

TEST(SolverTest, SearchResultsDependOnTheBranchMaker) {
  // With no steps, `stuck` stays stuck on every pass (the scripted maker
  // never changes the board) and `dead` contradicts itself at once.
  const std::vector<std::uint8_t> stuck = Grid({1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  const std::vector<std::uint8_t> dead = Grid({0, 2, 0, 0, 1, 3, 0, 0, 0, 0, 0, 0, 4, 0, 0, 0});
  struct Case {
    const char* name;
    const std::vector<std::uint8_t>* grid;
    bool makeResult;
    bool nextResult;
    bool lost;
    std::uint32_t result;
    std::uint32_t makeCalls;
    std::uint32_t nextCalls;
  };
  const std::vector<Case> cases = {
      // Every pass makes a branch point; the 250th ends the search.
      {"branch limit", &stuck, true, true, false, SolveResult::kTooManyBranches, 250, 249},
      // A branch point that cannot be saved is followed by two moves on.
      {"stack full, nothing left", &stuck, false, false, true, SolveResult::kStuck, 1, 2},
      {"contradiction, nothing lost", &dead, true, false, false, SolveResult::kNoSolution, 0, 1},
      {"contradiction after a lost branch", &dead, true, false, true, SolveResult::kStuck, 0, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestSolver<2> solver;
    auto maker = std::make_unique<ScriptedBranchMaker>();
    ScriptedBranchMaker* script = maker.get();
    script->makeResult = c.makeResult;
    script->nextResult = c.nextResult;
    script->lost = c.lost;
    solver.SetBranchMaker(std::move(maker));
    solver.Load(*c.grid);
    solver.SetSteps({});
    EXPECT_EQ(solver.Solve(nullptr), c.result);
    EXPECT_EQ(script->makeCalls, c.makeCalls);
    EXPECT_EQ(script->nextCalls, c.nextCalls);
    EXPECT_EQ(script->clearCalls, 1u);
  }
}

class RecordingProgress : public CProgressCallback {
 public:
  std::vector<std::uint32_t> counts;
  std::uint32_t cancelAtCall = 0;  // 0: never
  void OnProgress(std::uint32_t count, bool* cancel, int reserved) override {
    EXPECT_EQ(reserved, 0);
    counts.push_back(count);
    if (counts.size() == cancelAtCall) *cancel = true;
  }
};

TEST(SolverTest, ProgressIsReportedEveryHundredPassesAndCanCancel) {
  TestSolver<4> solver;
  solver.SetSteps({});  // one digit per pass: an empty 16x16 takes hundreds
  RecordingProgress progress;
  progress.cancelAtCall = 2;
  EXPECT_EQ(solver.Solve(&progress), SolveResult::kCancelled);
  EXPECT_EQ(progress.counts, (std::vector<std::uint32_t>{100, 200}));

  // A solve of fewer than a hundred passes never calls back.
  TestSolver<3> quick;
  quick.Load(SparsePuzzle());
  RecordingProgress silent;
  silent.cancelAtCall = 1;
  EXPECT_EQ(quick.Solve(&silent), SolveResult::kSolved);
  EXPECT_TRUE(silent.counts.empty());
}

TEST(SolverTest, RatingWeighsEveryUsedTechnique) {
  // A top-level puzzle made by our generator. Its logical solve uses seven
  // techniques: 39 naked singles, 18 hidden singles, 2 box-line reductions,
  // 4 pointing pairs, 2 naked pairs, 1 naked triple and 1 X-wing, so
  //   39*1 + 18*3 + (2*8 + 54) + (4*12 + 60) + (2*30 + 100) + (1*40 + 250)
  //   + (1*300 + 300) = 1321.
  const std::string text = "4....812.9....7..8......5......7..56.....4.....82...3..2.5......53..6.42.1..8....";
  std::vector<std::uint8_t> puzzle;
  for (char ch : text) puzzle.push_back(ch == '.' ? kEmptyValue : static_cast<std::uint8_t>(ch - '1'));
  TestSolver<3> solver;
  solver.SetSteps({2, 3, 5, 4, 6, 7, 9, 8, 10, 11, 12, 13, 14, 15});
  solver.Load(puzzle);
  ASSERT_EQ(solver.SolveLogical(), SolveResult::kSolved);
  std::vector<std::uint32_t> usage;
  for (std::uint32_t id = 0; id < 16; ++id) usage.push_back(solver.GetPatternUsage(id));
  EXPECT_EQ(usage, (std::vector<std::uint32_t>{0, 0, 39, 18, 2, 4, 2, 1, 0, 0, 0, 0, 0, 1, 0, 0}));
  EXPECT_EQ(solver.GetRating(), 1321u);
  ExpectSolutionOf(puzzle, solver.Values());

  // Usage restarts with every logical pass.
  solver.Load(CompleteGrid<3>());
  EXPECT_EQ(solver.SolveLogical(), SolveResult::kSolved);
  EXPECT_EQ(solver.GetRating(), 0u);
  EXPECT_EQ(solver.GetPatternUsage(PatternId::kNakedSingle), 0u);
  EXPECT_EQ(ThrownText([&] { solver.GetPatternUsage(16); }), "There is no such pattern!!");
}

// Each harder technique once, through FindHint (which counts usage without
// resetting it): the rating is then that technique's weight plus its bonus.
TEST(SolverTest, RatingOfEachHarderTechniqueUsedOnce) {
  using D = std::initializer_list<unsigned>;
  const std::uint16_t full = 0x1FF;
  auto mask = [](D digits) {
    std::uint16_t m = 0;
    for (unsigned d : digits) m = static_cast<std::uint16_t>(m | (1u << d));
    return m;
  };
  // Boards of empty cells; only the listed cells differ from all nine digits.
  struct Case {
    std::uint32_t id;
    std::vector<std::pair<std::uint32_t, std::uint16_t>> cells;
    std::uint32_t rating;
  };
  auto group = [&](std::uint32_t kind, std::uint32_t index, std::vector<D> layout) {
    std::vector<std::pair<std::uint32_t, std::uint16_t>> cells;
    for (std::uint32_t p = 0; p < 9; ++p) cells.emplace_back(CTGroupLayout<3>::Group(kind, index)[p], mask(layout[p]));
    return cells;
  };
  auto withoutDigit = [&](bool rows, std::vector<std::pair<std::uint32_t, std::vector<std::uint32_t>>> lines,
                          unsigned d) {
    std::vector<std::pair<std::uint32_t, std::uint16_t>> cells;
    for (const auto& [line, keep] : lines) {
      for (std::uint32_t p = 0; p < 9; ++p) {
        if (std::find(keep.begin(), keep.end(), p) != keep.end()) continue;
        cells.emplace_back(rows ? line * 9 + p : p * 9 + line, static_cast<std::uint16_t>(full & ~(1u << d)));
      }
    }
    return cells;
  };
  const std::uint16_t pair = mask({1, 6});
  const std::vector<Case> cases = {
      {PatternId::kNakedQuad,
       group(GroupKind::kBox, 4,
             {{0, 1},
              {0, 4},
              {1, 2},
              {0, 1, 2, 3, 4, 5, 6, 7, 8},
              {2, 3},
              {3, 4, 5},
              {0, 1, 2, 3, 4, 5, 6, 7, 8},
              {0, 1, 2, 3, 4, 5, 6, 7, 8},
              {0, 3}}),
       100 + 200},
      {PatternId::kHiddenPair,
       group(GroupKind::kRow, 0, {{1, 2}, {1, 2}, {0, 3}, {4, 5, 6}, {0, 3}, {4, 5, 7}, {6, 8}, {6, 7, 8}, {6, 7, 8}}),
       30 + 150},
      {PatternId::kHiddenTriple,
       group(GroupKind::kColumn, 4,
             {{3, 4, 5}, {3, 4, 6}, {0, 1, 7}, {5, 6, 8}, {4, 7, 8}, {1, 2, 3}, {0, 2, 8}, {5, 6, 7}, {3, 8}}),
       200 + 250},
      {PatternId::kHiddenQuad,
       group(GroupKind::kBox, 8,
             {{4, 5}, {0, 1, 4}, {5, 6}, {1, 2, 6}, {2, 3, 7}, {7, 8}, {4, 8}, {5, 6, 7, 8}, {0, 3, 8}}),
       450 + 300},
      {PatternId::kRemotePair, {{0, pair}, {45, pair}, {49, pair}, {13, pair}}, 300 + 300},
      {PatternId::kXWing, withoutDigit(true, {{1, {2, 7}}, {6, {2, 7}}}, 4), 300 + 300},
      {PatternId::kSwordfish, withoutDigit(true, {{0, {1, 4}}, {4, {4, 7}}, {8, {1, 7}}}, 0), 300 + 400},
      {PatternId::kJellyfish, withoutDigit(false, {{0, {0, 3}}, {2, {3, 6}}, {5, {6, 8}}, {7, {0, 8}}}, 5), 400 + 500},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("technique " + std::to_string(c.id));
    TestSolver<3> solver;
    solver.SetSteps({c.id});
    for (const auto& [cell, cellMask] : c.cells) solver.GetTable().masks[cell] = cellMask;
    CHintInfo hint;
    ASSERT_TRUE(solver.FindHint(hint));
    EXPECT_EQ(hint.GetPatternId(), c.id);
    EXPECT_EQ(solver.GetPatternUsage(c.id), 1u);
    EXPECT_EQ(solver.GetRating(), c.rating);
  }
}

// A step walks row i, column i and box i before it moves on to index i + 1,
// so which of two findings a hint shows depends on that interleaving. Each
// case authors two hidden singles on an empty 4x4 board (digit d is taken out
// of the other cells of its group) and names the one the hint must report.
TEST(SolverTest, StepsWalkRowColumnAndBoxOfOneIndexBeforeTheNext) {
  struct Single {
    std::uint32_t digit;
    std::vector<std::uint32_t> without;  // cells that lose the digit
  };
  struct Case {
    const char* name;
    std::vector<Single> singles;
    std::uint32_t kind;
    std::uint32_t cell;
    std::uint32_t digit;
  };
  // Column 0 keeps 2 only in row 3; row 1 keeps 3 only in column 3; box 0
  // keeps 1 only at cell 5; column 1 keeps 0 only in row 3.
  const Single column0{2, {0, 4, 8}};
  const Single row1{3, {4, 5, 6}};
  const Single box0{1, {0, 1, 4}};
  const Single column1{0, {1, 5, 9}};
  const std::vector<Case> cases = {
      {"column 0 before row 1", {column0, row1}, GroupKind::kColumn, 12, 2},
      {"box 0 before row 1", {box0, row1}, GroupKind::kBox, 5, 1},
      {"row 1 before column 1", {row1, column1}, GroupKind::kRow, 7, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestSolver<2> solver;
    solver.SetSteps({PatternId::kHiddenSingle});
    for (const Single& single : c.singles) {
      for (std::uint32_t cell : single.without) solver.GetTable().GetCell(cell).RemoveCandidate(single.digit);
    }
    CHintInfo hint;
    ASSERT_TRUE(solver.FindHint(hint));
    EXPECT_EQ(hint.GetPatternId(), PatternId::kHiddenSingle);
    ASSERT_EQ(hint.GetItemCount(), 1u);
    EXPECT_EQ(hint.GetItem(0).kind, c.kind);
    EXPECT_EQ(hint.GetItem(0).cell, c.cell);
    EXPECT_EQ(hint.GetItem(0).mask, 1u << c.digit);
    EXPECT_EQ(solver.GetTable().values[c.cell], c.digit);
  }
}

TEST(SolverTest, FindHintLooksForIllegalValuesFirstAndRestoresTheSteps) {
  TestSolver<2> solver;
  solver.SetSteps({5, 4});
  // Digit 1 twice in row 0 (cells 0 and 3).
  solver.Load(Grid({1, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  solver.UpdateCandidates();
  CHintInfo hint;
  EXPECT_TRUE(solver.FindHint(hint));
  EXPECT_EQ(hint.GetPatternId(), PatternId::kIllegalValue);
  ASSERT_EQ(hint.GetItemCount(), 2u);
  EXPECT_EQ(hint.GetItem(0).cell, 3u);
  EXPECT_EQ(solver.Steps(), (std::vector<std::uint32_t>{5, 4}));

  // A hint changes the board as the step would, counts usage, and does not
  // rebuild candidates first: a single placed by hand-narrowed masks.
  TestSolver<2> other;
  other.Load(Grid({1, 2, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  other.UpdateCandidates();
  CHintInfo single;
  EXPECT_TRUE(other.FindHint(single));
  EXPECT_EQ(single.GetPatternId(), PatternId::kNakedSingle);
  ASSERT_EQ(single.GetItemCount(), 1u);
  EXPECT_EQ(single.GetItem(0).cell, 3u);
  EXPECT_EQ(other.GetTable().values[3], 3);
  EXPECT_EQ(other.GetPatternUsage(PatternId::kNakedSingle), 1u);
  EXPECT_EQ(other.Steps(), (std::vector<std::uint32_t>{2, 3}));

  // Nothing found: false and an empty record.
  TestSolver<2> empty;
  CHintInfo none;
  EXPECT_FALSE(empty.FindHint(none));
  EXPECT_EQ(none.GetPatternId(), PatternId::kNone);
  EXPECT_EQ(none.GetItemCount(), 0u);
}

}  // namespace
