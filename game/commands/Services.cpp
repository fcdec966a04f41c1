#include "game/commands/Services.h"

#include <utility>

#include "game/GameBase.h"

namespace gamecommands {

namespace {

struct Installed {
  Services::CurrentGameFunction currentGame;
  Services::OptionFunction autoPencilMarks;
  Services::SolvedReportFunction solvedReport;
  Services::HintDisplayFunction hintDisplay;
  Services::OkDialogFunction okDialog;
  Services::NewGameFunction newGame;
};

Installed& installed() {
  static Installed functions;
  return functions;
}

}  // namespace

void Services::InstallCurrentGame(CurrentGameFunction function) { installed().currentGame = std::move(function); }

void Services::InstallAutoPencilMarks(OptionFunction function) { installed().autoPencilMarks = std::move(function); }

void Services::InstallSolvedReport(SolvedReportFunction function) { installed().solvedReport = std::move(function); }

void Services::InstallHintDisplay(HintDisplayFunction function) { installed().hintDisplay = std::move(function); }

void Services::InstallOkDialog(OkDialogFunction function) { installed().okDialog = std::move(function); }

void Services::InstallNewGame(NewGameFunction function) { installed().newGame = std::move(function); }

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

void Services::ShowHintDisplay(std::uint32_t textId, std::uint32_t helpId) {
  const HintDisplayFunction function = installed().hintDisplay;
  if (function) function(textId, helpId);
}

void Services::ShowOkDialog(std::uint32_t firstTextId, std::uint32_t secondTextId) {
  const OkDialogFunction function = installed().okDialog;
  if (function) function(firstTextId, secondTextId);
}

std::shared_ptr<GameBase> Services::StartNewGame(std::uint32_t boxSize, std::uint32_t level) {
  const NewGameFunction function = installed().newGame;
  return function ? function(boxSize, level) : nullptr;
}

}  // namespace gamecommands
