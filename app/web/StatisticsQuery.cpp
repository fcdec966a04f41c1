#include "app/web/StatisticsQuery.h"

#include <cstdint>

std::string StatisticsQueryPath(const std::string& anonymousId, const std::vector<StatisticRecord>& statistics) {
  // Named by the box size: dimantion 0 is the 4x4 grid of 2x2 boxes.
  static const char* const kBoxNames[] = {"2x2", "3x3", "4x4"};
  std::string path = "/products/tavlin/sudoku_pc_stat.php?guid=" + anonymousId;
  for (int dimantion = 0; dimantion < 3; ++dimantion) {
    std::uint32_t totalTime = 0;
    std::uint32_t solved = 0;
    SumStatistics(statistics, dimantion, totalTime, solved);
    path += std::string("&solved_puzzles") + kBoxNames[dimantion] + "=" + std::to_string(solved);
    path += std::string("&total_time") + kBoxNames[dimantion] + "=" + std::to_string(totalTime);
  }
  return path;
}
