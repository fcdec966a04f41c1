#include "app/Statistics.h"

#include <algorithm>
#include <limits>

namespace {

auto SamePair(const StatisticRecord& record) {
  return [&record](const StatisticRecord& other) {
    return other.difficulty == record.difficulty && other.dimantion == record.dimantion;
  };
}

}  // namespace

bool FindStatistic(const std::vector<StatisticRecord>& statistics, StatisticRecord& inout) {
  const auto found = std::find_if(statistics.begin(), statistics.end(), SamePair(inout));
  if (found == statistics.end()) return false;
  inout = *found;
  return true;
}

void StoreStatistic(std::vector<StatisticRecord>& statistics, const StatisticRecord& record) {
  const auto found = std::find_if(statistics.begin(), statistics.end(), SamePair(record));
  if (found == statistics.end()) {
    statistics.push_back(record);
  } else {
    *found = record;
  }
}

void SumStatistics(const std::vector<StatisticRecord>& statistics, int dimantion, std::uint32_t& totalTime,
                   std::uint32_t& solvedPuzzles) {
  totalTime = 0;
  solvedPuzzles = 0;
  for (const StatisticRecord& record : statistics) {
    if (record.dimantion != dimantion) continue;
    totalTime += record.total_time;
    solvedPuzzles += record.solved_puzzles;
  }
}

int DimantionOfBoxSize(int boxSize) {
  if (boxSize == 3) return 1;
  if (boxSize == 4) return 2;
  return 0;
}

StatisticRecord WithSolvedGame(StatisticRecord record, std::uint32_t seconds) {
  // A count read from a damaged file can sit at the top of the range; it
  // stays there rather than wrapping to 0 and dividing by it.
  if (record.solved_puzzles < std::numeric_limits<std::uint32_t>::max()) ++record.solved_puzzles;
  if (seconds < record.min_time) record.min_time = seconds;
  if (record.min_time == 0) record.min_time = seconds;
  if (record.max_time < seconds) record.max_time = seconds;
  record.total_time += seconds;
  record.average_time = record.total_time / record.solved_puzzles;
  return record;
}

void RecordSolvedGame(std::vector<StatisticRecord>& statistics, int boxSize, int difficulty, std::uint32_t seconds) {
  StatisticRecord record;
  record.difficulty = difficulty;
  record.dimantion = DimantionOfBoxSize(boxSize);
  FindStatistic(statistics, record);
  StoreStatistic(statistics, WithSolvedGame(record, seconds));
}
