#include "forms/optionpages/GamePage.h"

#include <memory>

#include "forms/gameform/ShowPuzzleInfo.h"
#include "game/commands/BulkCommands.h"
#include "game/commands/ExecuteCommand.h"
#include "game/commands/PuzzleCommands.h"

namespace OptionsGame {

namespace {

// A fresh command each click: a recorded command keeps its own snapshot for
// undo, so one command object may not serve two clicks.
template <class Command>
void RunGameCommand() {
  gamecommands::ExecuteCommand(std::make_shared<Command>());
}

}  // namespace

void RunButton(int item) {
  switch (item) {
    case kFillValid: RunGameCommand<gamecommands::FillValidCandidates>(); break;
    case kFillAll: RunGameCommand<gamecommands::FillAllCandidates>(); break;
    case kClearCandidates: RunGameCommand<gamecommands::ClearCandidates>(); break;
    case kRemoveWrong: RunGameCommand<gamecommands::RemoveWrong>(); break;
    case kReplaceWrong: RunGameCommand<gamecommands::ReplaceWrong>(); break;
    case kResetGrid: RunGameCommand<gamecommands::ResetGrid>(); break;
    case kSolve: RunGameCommand<gamecommands::SolveGrid>(); break;
    case kCheckGrid: gamecommands::CheckForCorrectGrid_Command().Execute(); break;
    case kPuzzleInfo: ShowPuzzleInfo().Execute(); break;
    default: break;
  }
}

}  // namespace OptionsGame
