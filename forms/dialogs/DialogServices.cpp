#include "forms/dialogs/DialogServices.h"

#include <cstdint>

#include "app/ResourceManager.h"
#include "forms/common/Application.h"
#include "forms/dialogs/GameSolvedCommand.h"
#include "forms/dialogs/OkDialog.h"
#include "game/GameBase.h"
#include "game/commands/Services.h"

void ReportSolvedGame(GameBase& game) {
  Application* state = Application::Instance();
  if (state != nullptr && state->game.get() == &game)
    GameSolved_Command().Execute();
  else
    game.MarkSolved();
}

void InstallDialogServices() {
  gamecommands::Services::InstallSolvedReport(ReportSolvedGame);
  gamecommands::Services::InstallOkDialog([](std::uint32_t titleId, std::uint32_t messageId) {
    ShowOkDialog(ResourceManager::GetString(static_cast<int>(titleId)),
                 ResourceManager::GetString(static_cast<int>(messageId)));
  });
}
