#include "forms/dialogs/GameSolvedCommand.h"

#include <memory>

#include "app/ResourceManager.h"
#include "app/Statistics.h"
#include "forms/common/Application.h"
#include "forms/dialogs/HeldPlayerSettings.h"
#include "forms/dialogs/OkDialog.h"
#include "forms/dialogs/SavedGameFile.h"
#include "game/GameBase.h"

void GameSolved_Command::Execute() {
  Application* state = Application::Instance();
  if (state == nullptr) return;
  // Held for the whole command: the dialog's loop may run commands that
  // replace the application's game.
  const std::shared_ptr<GameBase> game = state->game;
  if (!game) return;
  game->MarkSolved();
  game->HideKeypads();
  game->Activate(true);

  // Counted and written before the congratulation, the statistics and the
  // solved game together, as shutdown writes them: whatever ends the
  // session while the dialog is up (a kill, a lost display), the solve is
  // in the player's file once, and the game that comes back is the solved
  // one, not the grid before its last cell, whose solve would count again.
  RecordSolvedGame(state->statistics, static_cast<int>(game->GetBoxSize()), static_cast<int>(game->GetDifficulty()),
                   game->GetElapsedSeconds());
  SaveHeldPlayerSettings();
  SaveApplicationGame();

  ShowOkDialog(ResourceManager::GetString(kSolvedTitleText), ResourceManager::GetString(kSolvedMessageText));
}
