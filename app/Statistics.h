#pragma once
// A player's statistics: one record per level and grid size, kept in the
// order in which the pairs first occurred.

#include <cstdint>
#include <vector>

struct StatisticRecord {
  std::int32_t difficulty = 0;   // level 1..5
  std::int32_t dimantion = 0;    // 0 = 4x4, 1 = 9x9, 2 = 16x16
  std::uint32_t total_time = 0;  // seconds
  std::uint32_t solved_puzzles = 0;
  std::uint32_t min_time = 0;
  std::uint32_t max_time = 0;
  std::uint32_t average_time = 0;

  bool operator==(const StatisticRecord&) const = default;
};

// Copies the record with the same difficulty and dimantion into inout and
// returns true; false, with inout unchanged, when there is none.
bool FindStatistic(const std::vector<StatisticRecord>& statistics, StatisticRecord& inout);
// Overwrites the record with the same pair, or appends it.
void StoreStatistic(std::vector<StatisticRecord>& statistics, const StatisticRecord& record);
// Adds up total_time and solved_puzzles over every level of one grid size.
void SumStatistics(const std::vector<StatisticRecord>& statistics, int dimantion, std::uint32_t& totalTime,
                   std::uint32_t& solvedPuzzles);

// The dimantion of a box size: 1 for 3, 2 for 4, else 0.
int DimantionOfBoxSize(int boxSize);
// The record after one more puzzle solved in the given seconds.  A first
// solve (min_time 0) sets the minimum, and so does any solve after a
// 0-second one.
StatisticRecord WithSolvedGame(StatisticRecord record, std::uint32_t seconds);
// Finds the record of the game's level and grid size (or starts one at
// zero), counts the solve and stores it back.
void RecordSolvedGame(std::vector<StatisticRecord>& statistics, int boxSize, int difficulty, std::uint32_t seconds);
