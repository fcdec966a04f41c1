// What the desktop program hands the shared start-up: its splash and its
// web request.  Its screen is the default 480 by 640, and a desktop does not
// suspend a program that is running, so there is nothing to keep awake.
#pragma once

#include <vector>

#include "app/Statistics.h"
#include "forms/common/ProgramHost.h"

namespace desktop {

// Once per start, and only when TAVLIN_WEB_HOST names the maker's server:
// offers a newer version the last run learnt of, reports the totals of
// `statistics` (none when null) and fetches the next splash's logo, then
// runs the link period when TAVLIN_WEB_LINK names a page.
void RequestWeb(std::vector<StatisticRecord>* statistics);

ProgramHost Host();

}  // namespace desktop
