// The path of the statistics report: the anonymous id and, for each grid
// size, how many puzzles the current player solved and in how many seconds.
#pragma once

#include <string>
#include <vector>

#include "app/Statistics.h"

std::string StatisticsQueryPath(const std::string& anonymousId, const std::vector<StatisticRecord>& statistics);

// Where the logo of the next splash is fetched from.
inline constexpr const char* kLogoRequestPath = "/products/tavlin/tavlin_logo.svg";
