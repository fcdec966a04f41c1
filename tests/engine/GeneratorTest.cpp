// The generator and its levels: step lists and targets, random seeding,
// puzzles that are unique and solvable with their level's techniques,
// determinism, cancellation in both phases, and the state it leaves behind.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "engine/CSudokuGeneratorLevels.h"
#include "tests/engine/GridHelpers.h"
#include "tests/support/SolutionCounter.h"

namespace {

template <unsigned N>
std::vector<std::uint8_t> ValuesOf(const CSudokuSolver<N>& solver) {
  const CTTable<N>& table = solver.GetTable();
  return std::vector<std::uint8_t>(std::begin(table.values), std::end(table.values));
}

std::vector<std::uint32_t> StepsOf(const CSudokuSolver<2>& solver) {
  std::vector<std::uint32_t> ids(16);
  std::uint32_t count = 0;
  solver.GetPatterns(ids.data(), count);
  ids.resize(count);
  return ids;
}

class CancellingProgress : public CProgressCallback {
 public:
  std::uint32_t calls = 0;
  std::uint32_t lastCount = 0;
  bool cancel = true;
  void OnProgress(std::uint32_t count, bool* cancelFlag, int) override {
    ++calls;
    lastCount = count;
    *cancelFlag = cancel;
  }
};

TEST(GeneratorTest, LevelsChooseTheirStepsAndTargets) {
  EXPECT_EQ(StepsOf(CSudokuGeneratorBeginner<2>()), (std::vector<std::uint32_t>{2, 3}));
  EXPECT_EQ(StepsOf(CSudokuGeneratorIntermediate<2>()), (std::vector<std::uint32_t>{2, 3, 5, 4}));
  EXPECT_EQ(StepsOf(CSudokuGeneratorAdvanced<2>()), (std::vector<std::uint32_t>{2, 3, 5, 4, 6, 7}));
  EXPECT_EQ(StepsOf(CSudokuGeneratorMaster<2>()), (std::vector<std::uint32_t>{2, 3, 5, 4, 6, 7, 9, 8, 10, 11}));
  EXPECT_EQ(StepsOf(CSudokuGeneratorSorcerer<2>()),
            (std::vector<std::uint32_t>{2, 3, 5, 4, 6, 7, 9, 8, 10, 11, 12, 13, 14, 15}));

  EXPECT_EQ(CSudokuGenerator<3>().GetTargetRating(), 50u);
  const std::uint32_t targets[3][5] = {{8, 9, 10, 11, 12}, {80, 180, 250, 400, 650}, {200, 400, 500, 800, 1400}};
  const std::uint32_t two[5] = {
      CSudokuGeneratorBeginner<2>().GetTargetRating(), CSudokuGeneratorIntermediate<2>().GetTargetRating(),
      CSudokuGeneratorAdvanced<2>().GetTargetRating(), CSudokuGeneratorMaster<2>().GetTargetRating(),
      CSudokuGeneratorSorcerer<2>().GetTargetRating()};
  const std::uint32_t three[5] = {
      CSudokuGeneratorBeginner<3>().GetTargetRating(), CSudokuGeneratorIntermediate<3>().GetTargetRating(),
      CSudokuGeneratorAdvanced<3>().GetTargetRating(), CSudokuGeneratorMaster<3>().GetTargetRating(),
      CSudokuGeneratorSorcerer<3>().GetTargetRating()};
  const std::uint32_t four[5] = {
      CSudokuGeneratorBeginner<4>().GetTargetRating(), CSudokuGeneratorIntermediate<4>().GetTargetRating(),
      CSudokuGeneratorAdvanced<4>().GetTargetRating(), CSudokuGeneratorMaster<4>().GetTargetRating(),
      CSudokuGeneratorSorcerer<4>().GetTargetRating()};
  for (int level = 0; level < 5; ++level) {
    EXPECT_EQ(two[level], targets[0][level]) << "level " << level + 1;
    EXPECT_EQ(three[level], targets[1][level]) << "level " << level + 1;
    EXPECT_EQ(four[level], targets[2][level]) << "level " << level + 1;
  }
}

TEST(GeneratorTest, RandomSeedingLeavesAConsistentGridWithCandidatesEverywhere) {
  CSudokuGeneratorBeginner<3> generator;
  for (unsigned seed = 1; seed <= 20; ++seed) {
    std::srand(seed);
    generator.SetRandomTable();
    const CTTable<3>& table = generator.GetTable();
    EXPECT_LE(GridHelpers<3>::CountFilled(table.values), 13u) << "seed " << seed;
    EXPECT_GE(GridHelpers<3>::CountFilled(table.values), 10u) << "seed " << seed;
    EXPECT_TRUE(GridHelpers<3>::IsConsistent(table.values)) << "seed " << seed;
    for (std::uint32_t cell = 0; cell < 81; ++cell) {
      if (table.values[cell] == kEmptyValue) {
        EXPECT_NE(table.masks[cell], 0) << "seed " << seed << " cell " << cell;
      }
    }
  }
}

// Generates with a fixed seed and checks what a puzzle of the level must be.
template <unsigned N, typename Level>
void ExpectGoodPuzzle(unsigned seed) {
  SCOPED_TRACE("N=" + std::to_string(N) + " seed " + std::to_string(seed));
  Level generator;
  std::srand(seed);
  ASSERT_TRUE(generator.Generate(nullptr));
  const std::vector<std::uint8_t> puzzle = ValuesOf(generator);
  EXPECT_TRUE(GridHelpers<N>::IsConsistent(puzzle.data()));
  EXPECT_LT(GridHelpers<N>::CountFilled(puzzle.data()), N * N * N * N);
  EXPECT_EQ(SolutionCounter(N, GridHelpers<N>::AsGivens(puzzle.data()).data()).Count(2), 1);
  EXPECT_GE(generator.GetBestRating(), generator.GetTargetRating());

  // A fresh object of the level solves it by logic alone and rates it as
  // the generator did.
  Level solver;
  std::copy(puzzle.begin(), puzzle.end(), solver.GetTable().values);
  EXPECT_EQ(solver.SolveLogical(), SolveResult::kSolved);
  EXPECT_EQ(solver.GetRating(), generator.GetBestRating());
}

TEST(GeneratorTest, PuzzlesOfEverySizeAreUniqueAndSolvedByTheirLevel) {
  ExpectGoodPuzzle<2, CSudokuGeneratorBeginner<2>>(1);
  ExpectGoodPuzzle<2, CSudokuGeneratorSorcerer<2>>(2);
  ExpectGoodPuzzle<3, CSudokuGeneratorBeginner<3>>(3);
  ExpectGoodPuzzle<3, CSudokuGeneratorSorcerer<3>>(4);
  ExpectGoodPuzzle<4, CSudokuGeneratorBeginner<4>>(5);
  // Seed chosen for a short run: other 16x16 top-level seeds take ten times
  // as long (see the engine benchmark).
  ExpectGoodPuzzle<4, CSudokuGeneratorSorcerer<4>>(6);
}

TEST(GeneratorTest, SameSeedSamePuzzle) {
  CSudokuGeneratorAdvanced<3> first;
  CSudokuGeneratorAdvanced<3> second;
  std::srand(7);
  first.Generate(nullptr);
  std::srand(7);
  second.Generate(nullptr);
  EXPECT_EQ(ValuesOf(first), ValuesOf(second));
  std::srand(8);
  second.Generate(nullptr);
  EXPECT_NE(ValuesOf(first), ValuesOf(second));
}

// The puzzle of a seed is part of the contract, not just "some good puzzle":
// the order and number of rand() calls in seeding, the grid search and the
// removals decide it. The boards below (rows of text, '0' empty) and the
// rand() value that follows each run were checked against a separate
// step-by-step walk of the generator's algorithm; a change that keeps puzzles
// valid but moves one rand() call shows up here. They hold for glibc's rand().
template <unsigned N, typename Level>
void ExpectSeedGives(unsigned seed, const std::string& puzzle, std::uint32_t rating, std::uint32_t iterations,
                     int nextRand) {
  SCOPED_TRACE("N=" + std::to_string(N) + " seed " + std::to_string(seed));
  Level generator;
  std::srand(seed);
  ASSERT_TRUE(generator.Generate(nullptr));
  EXPECT_EQ(std::rand(), nextRand);
  std::string text;
  for (std::uint8_t v : ValuesOf(generator)) text += v == kEmptyValue ? '0' : static_cast<char>('1' + v);
  EXPECT_EQ(text, puzzle);
  EXPECT_EQ(generator.GetBestRating(), rating);
  EXPECT_EQ(generator.GetIterations(), iterations);
}

TEST(GeneratorTest, SeedGivesExactlyItsPuzzleAndUsesRandAsManyTimes) {
  ExpectSeedGives<2, CSudokuGeneratorBeginner<2>>(1,
                                                  "2304"
                                                  "1403"
                                                  "3000"
                                                  "0002",
                                                  8, 9, 304089172);
  ExpectSeedGives<2, CSudokuGeneratorSorcerer<2>>(3,
                                                  "0000"
                                                  "0420"
                                                  "0000"
                                                  "3001",
                                                  12, 85, 2033798461);
  ExpectSeedGives<3, CSudokuGeneratorIntermediate<3>>(11,
                                                      "080001070"
                                                      "403600000"
                                                      "100000029"
                                                      "250704180"
                                                      "000800000"
                                                      "000002000"
                                                      "010506042"
                                                      "040100000"
                                                      "000908000",
                                                      225, 59, 173180623);
}

TEST(GeneratorTest, CancelWhileBuildingTheGridReturnsFalse) {
  // The grid's search reports only every hundred passes; look for a seed
  // whose 16x16 grid needs that many.
  bool reported = false;
  for (unsigned seed = 1; seed <= 40 && !reported; ++seed) {
    CSudokuGeneratorBeginner<4> generator;
    CancellingProgress progress;
    std::srand(seed);
    const bool made = generator.Generate(&progress);
    if (progress.calls == 0) continue;
    reported = true;
    EXPECT_FALSE(made) << "seed " << seed;
    EXPECT_EQ(progress.calls, 1u);
    EXPECT_EQ(progress.lastCount, 100u);
  }
  EXPECT_TRUE(reported) << "no seed needed a hundred passes";
}

TEST(GeneratorTest, CancelWhileRemovingKeepsTheBestPuzzleSoFar) {
  CSudokuGeneratorSorcerer<3> generator;
  std::srand(11);
  ASSERT_TRUE(generator.MakeSolution(nullptr));
  const std::vector<std::uint8_t> solution = ValuesOf(generator);
  CancellingProgress progress;
  EXPECT_TRUE(generator.MakePuzzle(&progress));
  EXPECT_EQ(progress.calls, 1u);
  EXPECT_EQ(progress.lastCount, 20u);
  EXPECT_EQ(generator.GetIterations(), 20u);

  const std::vector<std::uint8_t> puzzle = ValuesOf(generator);
  EXPECT_LT(GridHelpers<3>::CountFilled(puzzle.data()), 81u) << "the complete grid is never the best";
  EXPECT_GT(generator.GetBestRating(), 0u);
  for (std::uint32_t cell = 0; cell < 81; ++cell) {
    if (puzzle[cell] != kEmptyValue) {
      EXPECT_EQ(puzzle[cell], solution[cell]) << "cell " << cell;
    }
  }
  CSudokuGeneratorSorcerer<3> solver;
  std::copy(puzzle.begin(), puzzle.end(), solver.GetTable().values);
  EXPECT_EQ(solver.SolveLogical(), SolveResult::kSolved);
  EXPECT_EQ(solver.GetRating(), generator.GetBestRating());
}

TEST(GeneratorTest, PuzzleCancelledBeforeAnyRecordLeavesTheStartingBoard) {
  // A lone digit is no puzzle that singles can solve, so nothing is recorded
  // before the first progress call cancels; the board must get back what it
  // started with, not unset values.
  CSudokuGeneratorBeginner<2> generator;
  std::vector<std::uint8_t> start(16, kEmptyValue);
  start[5] = 2;
  std::copy(start.begin(), start.end(), generator.GetTable().values);
  CancellingProgress progress;
  EXPECT_TRUE(generator.MakePuzzle(&progress));
  EXPECT_EQ(progress.calls, 1u);
  EXPECT_EQ(progress.lastCount, 0u);
  EXPECT_EQ(ValuesOf(generator), start);
}

TEST(GeneratorTest, SolveAfterGeneratingSearchesWithoutDeletingGivens) {
  CSudokuGeneratorBeginner<3> generator;
  std::srand(12);
  ASSERT_TRUE(generator.Generate(nullptr));

  // A grid that logic cannot finish: the search must try digits, never
  // remove the givens.
  std::vector<std::uint8_t> sparse(81, kEmptyValue);
  for (std::uint32_t cell = 0; cell < 81; cell += 5) sparse[cell] = GridHelpers<3>::Complete(cell / 9, cell % 9);
  std::copy(sparse.begin(), sparse.end(), generator.GetTable().values);
  ASSERT_EQ(generator.Solve(nullptr), SolveResult::kSolved);
  const std::vector<std::uint8_t> solved = ValuesOf(generator);
  EXPECT_TRUE(GridHelpers<3>::IsConsistent(solved.data()));
  for (std::uint32_t cell = 0; cell < 81; ++cell) {
    EXPECT_NE(solved[cell], kEmptyValue);
    if (sparse[cell] != kEmptyValue) {
      EXPECT_EQ(solved[cell], sparse[cell]) << "given of cell " << cell;
    }
  }
}

}  // namespace

TEST(GeneratorTest, LevelNumbersNameTheirGenerators) {
  // Level 0 ("no generated puzzle") still solves with the Beginner steps.
  const std::uint32_t targets[] = {80, 80, 180, 250, 400, 650};
  for (std::uint32_t level = 0; level <= 5; ++level) {
    const auto generator = MakeLevelGenerator<3>(level);
    ASSERT_NE(generator, nullptr) << "level " << level;
    EXPECT_EQ(generator->GetTargetRating(), targets[level]) << "level " << level;
  }
  EXPECT_EQ(StepsOf(*MakeLevelGenerator<2>(0)), (std::vector<std::uint32_t>{2, 3}));
  EXPECT_EQ(MakeLevelGenerator<4>(6), nullptr);
  EXPECT_EQ(MakeLevelGenerator<4>(0xFFFFFFFFu), nullptr);
}
