// Checks every puzzle of the shipped packages: the givens agree, the puzzle
// has exactly one solution, and its level's techniques solve it without
// guessing.

#include "app/LevelsPackage.h"
#include "engine/CSudokuGeneratorLevels.h"

#include "TempFolders.h"
#include "tests/support/SolutionCounter.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class ShippedPackagesTest : public TempFolders {
 protected:
  void SetUp() override {
    TempFolders::SetUp();
    setenv("TAVLIN_RESOURCES_DIR", TAVLIN_SOURCE_RESOURCES, 1);
    ClearPathCache();
  }

  template <unsigned N>
  void CheckPackage(int kind) {
    constexpr int kSide = N * N;
    for (int level = 1; level <= kPackageLevels; ++level) {
      data_objects::levels_package<kPuzzlesPerLevel> package(level, kind);
      ASSERT_TRUE(LoadLevelsPackage(package)) << "kind " << kind << " level " << level;
      const auto solver = MakeLevelGenerator<N>(level);
      for (int index = 0; index < kPuzzlesPerLevel; ++index) {
        SCOPED_TRACE(::testing::Message() << kSide << "x" << kSide << " level " << level << " puzzle " << index);
        const unsigned char* puzzle = package.Puzzle(index);
        SolutionCounter counter(N, puzzle);
        ASSERT_TRUE(counter.Consistent());
        ASSERT_EQ(counter.Count(2), 1);

        CTTable<N>& table = solver->GetTable();
        int givens = 0;
        for (int cell = 0; cell < kSide * kSide; ++cell) {
          table.GetCell(cell).Reset();
          if (puzzle[cell] != 0) {
            table.GetCell(cell).SetValue(puzzle[cell] - 1);  // the engine's digits are 0-based
            ++givens;
          }
        }
        EXPECT_LT(givens, kSide * kSide);
        ASSERT_EQ(solver->SolveLogical(), SolveResult::kSolved);
        for (int cell = 0; cell < kSide * kSide; ++cell) {
          ASSERT_EQ(table.values[cell] + 1, counter.FirstSolution()[cell]) << "cell " << cell;
        }
      }
    }
  }
};

TEST_F(ShippedPackagesTest, Every9x9PuzzleIsSoundAndSolvableAtItsLevel) { CheckPackage<3>(1); }

TEST_F(ShippedPackagesTest, Every16x16PuzzleIsSoundAndSolvableAtItsLevel) { CheckPackage<4>(2); }

}  // namespace
