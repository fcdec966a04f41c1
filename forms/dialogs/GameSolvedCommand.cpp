#include "forms/dialogs/GameSolvedCommand.h"

#include <memory>

#include "app/ResourceManager.h"
#include "app/Statistics.h"
#include "forms/common/Application.h"
#include "forms/dialogs/HeldPlayerSettings.h"
#include "forms/dialogs/OkDialog.h"
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

  // Counted and written before the congratulation: from here on the game
  // is saved as solved, so a solve not yet in the file when the program is
  // killed, or its display lost, while the dialog is up would never count.
  RecordSolvedGame(state->statistics, static_cast<int>(game->GetBoxSize()), static_cast<int>(game->GetDifficulty()),
                   game->GetElapsedSeconds());
  SaveHeldPlayerSettings();

  ShowOkDialog(ResourceManager::GetString(kSolvedTitleText), ResourceManager::GetString(kSolvedMessageText));
}
