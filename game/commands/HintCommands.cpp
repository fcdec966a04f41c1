#include "game/commands/HintCommands.h"

#include <memory>

#include "engine/CHintInfo.h"
#include "engine/PatternId.h"
#include "game/GameBase.h"
#include "game/commands/Services.h"

namespace gamecommands {

namespace {

void ShowFound(std::uint32_t patternId) { Services::ShowHintDisplay(kHintText + patternId, kHintHelp + patternId); }

void ShowNoneFound() { Services::ShowHintDisplay(kNoHintText, kNoHintHelp); }

}  // namespace

bool Hint_Step::Execute() {
  const std::shared_ptr<GameBase> game = Services::CurrentGame();
  if (!game) return false;
  if (firstRun) game->SaveCells();
  CHintInfo hint;
  if (!game->ApplyHint(hint)) {
    ShowNoneFound();
    return false;
  }
  game->CopyCandidatesFromSolver();
  game->HideKeypads();
  game->NotifyViews();
  ShowFound(hint.GetPatternId());
  if (firstRun) game->CollectChangedCells(changes);
  firstRun = false;
  game->ClearCellMarks();
  game->ClearHint();
  // A keypad panel shows the selected cell, which the step may have filled.
  game->LayoutKeypads();
  return true;
}

void Hint_Step::Undo() {
  const std::shared_ptr<GameBase> game = Services::CurrentGame();
  if (!game) return;
  game->RestoreCells(changes);
  game->NotifyViews();
}

void Hint::Execute() {
  const std::shared_ptr<GameBase> game = Services::CurrentGame();
  if (!game) return;
  CHintInfo hint;
  if (!game->FindHint(hint)) {
    ShowNoneFound();
    return;
  }
  const std::uint32_t id = hint.GetPatternId();
  const bool single = id == PatternId::kNakedSingle || id == PatternId::kHiddenSingle;
  if (single && hint.GetItemCount() > 0) game->SelectCell(hint.GetItem(0).cell);
  game->ClearCellMarks();
  game->ShowHint(hint);
  game->HideKeypads();
  game->NotifyViews();
  ShowFound(id);
  // A keypad panel follows the selection, which a single has just moved.
  game->LayoutKeypads();
}

}  // namespace gamecommands
