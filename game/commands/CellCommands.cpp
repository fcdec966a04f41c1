#include "game/commands/CellCommands.h"

#include <memory>

#include "game/GameBase.h"
#include "game/commands/Services.h"

namespace gamecommands {

namespace {

std::uint32_t Resolve(std::uint32_t cell, GameBase& game) {
  return cell == kSelectedCell ? game.GetCurrentCell() : cell;
}

// Undo of the snapshot commands: the cells as they were, then a repaint.
void RestoreSnapshot(const std::vector<CellChange>& changes) {
  const std::shared_ptr<GameBase> game = Services::CurrentGame();
  if (!game) return;
  game->RestoreCells(changes);
  game->NotifyViews();
}

}  // namespace

bool SetFixedValue::Execute() {
  const std::shared_ptr<GameBase> game = Services::CurrentGame();
  if (!game) return false;
  if (firstRun) {
    cell = Resolve(cell, *game);
    game->SaveCells();
    if (game->GetCellValue(cell) == static_cast<int>(value)) return false;
  }
  game->SetCellValue(cell, static_cast<std::uint8_t>(value));
  game->UpdateHighlights();
  game->LayoutKeypads();
  game->ClearHint();
  game->CopyCellsToSolver();
  // SolveTable confirms that the completely filled grid is consistent.
  if (!game->IsAlreadySolved() && game->CountEmptySolverCells() == 0 && game->SolveTable(nullptr))
    Services::ReportSolved(*game);
  if (Services::AutoPencilMarks()) {
    game->UpdateSolverCandidates();
    game->CopyCandidatesFromSolver();
  }
  game->NotifyViews();
  if (firstRun) game->CollectChangedCells(changes);
  firstRun = false;
  return true;
}

void SetFixedValue::Undo() { RestoreSnapshot(changes); }

bool RemoveFixedValue::Execute() {
  const std::shared_ptr<GameBase> game = Services::CurrentGame();
  if (!game) return false;
  if (firstRun) {
    cell = Resolve(cell, *game);
    game->SaveCells();
    if (game->GetCellValue(cell) < 0) return false;
  }
  game->ClearCellValue(cell);
  game->UpdateHighlights();
  game->LayoutKeypads();
  game->ClearHint();
  if (Services::AutoPencilMarks()) {
    game->CopyCellsToSolver();
    game->UpdateSolverCandidates();
    game->CopyCandidatesFromSolver();
  }
  game->NotifyViews();
  if (firstRun) game->CollectChangedCells(changes);
  firstRun = false;
  return true;
}

void RemoveFixedValue::Undo() { RestoreSnapshot(changes); }

bool SetCanditateValue::Execute() {
  const std::shared_ptr<GameBase> game = Services::CurrentGame();
  if (!game) return false;
  if (firstRun) {
    cell = Resolve(cell, *game);
    wasOn = game->HasCandidate(cell, value);
  }
  game->SetCandidate(cell, value, on);
  game->ClearHint();
  game->NotifyViews();
  firstRun = false;
  return true;
}

void SetCanditateValue::Undo() {
  const std::shared_ptr<GameBase> game = Services::CurrentGame();
  if (!game) return;
  game->SetCandidate(cell, value, wasOn);
  game->NotifyViews();
}

bool ClearAllCandidates::Execute() {
  const std::shared_ptr<GameBase> game = Services::CurrentGame();
  if (!game) return false;
  if (firstRun) {
    cell = Resolve(cell, *game);
    savedCandidates = game->GetCandidates(cell);
    if (savedCandidates == 0) return false;
  }
  game->ClearCandidates(cell);
  game->NotifyViews();
  firstRun = false;
  return true;
}

void ClearAllCandidates::Undo() {
  const std::shared_ptr<GameBase> game = Services::CurrentGame();
  if (!game) return;
  game->SetCandidates(cell, savedCandidates);
  game->NotifyViews();
}

}  // namespace gamecommands
