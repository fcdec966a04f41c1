// The once-per-start exchange with the maker's web server (a newer version,
// the statistics totals, the logo for the next splash).  Start-up runs it
// after the game is ready; what it does is the host's business, since only
// some programs talk to the web, so Execute asks the program host.
#pragma once

#include <vector>

#include "app/Statistics.h"
#include "game/ApplicationCommand.h"

class WebRequestCommand : public ApplicationCommand {
 public:
  explicit WebRequestCommand(std::vector<StatisticRecord>* statistics) : statistics(statistics) {}
  void Execute() override;

  // The application's statistics, whose totals are reported.
  std::vector<StatisticRecord>* statistics;
};
