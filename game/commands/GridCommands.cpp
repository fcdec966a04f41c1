#include "game/commands/GridCommands.h"

#include <memory>

#include "game/GameBase.h"
#include "game/commands/CellCommands.h"
#include "game/commands/ExecuteCommand.h"
#include "game/commands/Services.h"

namespace gamecommands {

std::uint32_t KeyToValueIndex(std::uint32_t c, bool digitMode) {
  if (digitMode) {
    if (c >= '1' && c <= '9') return c - '1';
    if (c >= 'A' && c <= 'G') return c - 'A' + 9;
    if (c >= 'a' && c <= 'g') return c - 'a' + 9;
  } else {
    if (c >= 'A' && c <= 'P') return c - 'A';
    if (c >= 'a' && c <= 'f') return c - 'a';
  }
  return kNoValueIndex;
}

bool SetSelected::Execute() {
  const std::shared_ptr<GameBase> game = Services::CurrentGame();
  if (!game) return false;
  game->SetCurrentCell(cell);
  game->UpdateHighlights();
  game->LayoutKeypads();
  return false;
}

bool GridCellClick::Execute() {
  const std::shared_ptr<GameBase> game = Services::CurrentGame();
  if (!game) return false;
  game->ClickCurrentCell();
  return false;
}

bool SetUserOrCandidateValue::Execute() {
  const std::shared_ptr<GameBase> game = Services::CurrentGame();
  if (!game) return false;
  if (game->IsValueInputMode()) {
    // The keys refuse what the value keypad refuses ("allow only valid
    // entries"); candidates are toggled freely, as on the candidate keypad.
    if (!game->AcceptsValue(game->GetCurrentCell(), value)) return false;
    ExecuteCommand(std::make_shared<SetFixedValue>(value));
  } else {
    const bool on = !game->HasCandidate(game->GetCurrentCell(), value);
    ExecuteCommand(std::make_shared<SetCanditateValue>(value, on));
    // A candidate panel shows the candidates as toggle states; nothing else
    // refreshes them on this path.
    game->LayoutKeypads();
  }
  return false;
}

}  // namespace gamecommands
