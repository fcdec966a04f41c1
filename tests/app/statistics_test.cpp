#include "app/Statistics.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

StatisticRecord Record(int difficulty, int dimantion, std::uint32_t total, std::uint32_t solved, std::uint32_t min,
                       std::uint32_t max, std::uint32_t average) {
  return StatisticRecord{difficulty, dimantion, total, solved, min, max, average};
}

struct SolveCase {
  const char* what;
  std::vector<std::uint32_t> seconds;
  StatisticRecord expected;
};

class SolvedGameTest : public ::testing::TestWithParam<SolveCase> {};

TEST_P(SolvedGameTest, UpdatesTheRecordOfTheLevelAndSize) {
  std::vector<StatisticRecord> statistics;
  for (std::uint32_t seconds : GetParam().seconds) RecordSolvedGame(statistics, 3, 1, seconds);
  ASSERT_EQ(statistics.size(), 1u) << GetParam().what;
  EXPECT_EQ(statistics[0], GetParam().expected) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(Table, SolvedGameTest,
                         ::testing::Values(SolveCase{"first solve", {95}, Record(1, 1, 95, 1, 95, 95, 95)},
                                           SolveCase{
                                               "a faster second solve", {95, 60}, Record(1, 1, 155, 2, 60, 95, 77)},
                                           SolveCase{"average truncates", {100, 51}, Record(1, 1, 151, 2, 51, 100, 75)},
                                           SolveCase{"a 0-second solve lets the next time become the minimum",
                                                     {0, 40},
                                                     Record(1, 1, 40, 2, 40, 40, 20)}));

TEST(Statistics, RecordsAreKeptPerLevelAndSizeInOrderOfFirstSolve) {
  std::vector<StatisticRecord> statistics;
  RecordSolvedGame(statistics, 4, 5, 900);
  RecordSolvedGame(statistics, 2, 1, 30);
  RecordSolvedGame(statistics, 4, 5, 700);
  RecordSolvedGame(statistics, 3, 5, 100);
  EXPECT_EQ(statistics,
            (std::vector<StatisticRecord>{Record(5, 2, 1600, 2, 700, 900, 800), Record(1, 0, 30, 1, 30, 30, 30),
                                          Record(5, 1, 100, 1, 100, 100, 100)}));
  StatisticRecord wanted = Record(1, 0, 0, 0, 0, 0, 0);
  EXPECT_TRUE(FindStatistic(statistics, wanted));
  EXPECT_EQ(wanted.total_time, 30u);
  StatisticRecord missing = Record(2, 0, 1, 2, 3, 4, 5);
  EXPECT_FALSE(FindStatistic(statistics, missing));
  EXPECT_EQ(missing, Record(2, 0, 1, 2, 3, 4, 5));
}

TEST(Statistics, ACountAtTheTopOfTheRangeDoesNotWrapToZero) {
  const StatisticRecord updated = WithSolvedGame(Record(1, 1, 10, 0xFFFFFFFFu, 5, 5, 0), 5);
  EXPECT_EQ(updated.solved_puzzles, 0xFFFFFFFFu);
  EXPECT_EQ(updated.average_time, 0u);
}

TEST(Statistics, SumsAreTakenPerGridSize) {
  const std::vector<StatisticRecord> statistics = {Record(1, 1, 100, 2, 0, 0, 0), Record(2, 2, 1000, 1, 0, 0, 0),
                                                   Record(3, 1, 50, 3, 0, 0, 0)};
  std::uint32_t total = 99, solved = 99;
  SumStatistics(statistics, 1, total, solved);
  EXPECT_EQ(total, 150u);
  EXPECT_EQ(solved, 5u);
  SumStatistics(statistics, 0, total, solved);
  EXPECT_EQ(total, 0u);
  EXPECT_EQ(solved, 0u);
}

}  // namespace
