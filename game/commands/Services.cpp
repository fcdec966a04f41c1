#include "game/commands/Services.h"

#include <utility>

#include "game/GameBase.h"

namespace gamecommands {

namespace {

struct Installed {
  Services::CurrentGameFunction currentGame;
  Services::OptionFunction autoPencilMarks;
  Services::SolvedReportFunction solvedReport;
};

Installed& installed() {
  static Installed functions;
  return functions;
}

}  // namespace

void Services::InstallCurrentGame(CurrentGameFunction function) { installed().currentGame = std::move(function); }

void Services::InstallAutoPencilMarks(OptionFunction function) { installed().autoPencilMarks = std::move(function); }

void Services::InstallSolvedReport(SolvedReportFunction function) { installed().solvedReport = std::move(function); }

void Services::Reset() { installed() = Installed{}; }

std::shared_ptr<GameBase> Services::CurrentGame() {
  // Copied first: the function may install another one while it runs.
  const CurrentGameFunction function = installed().currentGame;
  return function ? function() : nullptr;
}

bool Services::AutoPencilMarks() {
  const OptionFunction function = installed().autoPencilMarks;
  return function ? function() : false;
}

void Services::ReportSolved(GameBase& game) {
  const SolvedReportFunction function = installed().solvedReport;
  if (function)
    function(game);
  else
    game.MarkSolved();
}

}  // namespace gamecommands
