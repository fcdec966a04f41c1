#include "game/commands/UndoRedo.h"

#include "game/CommandHistory.h"
#include "game/GameBase.h"
#include "game/commands/Base.h"

namespace gamecommands {

namespace {

void RefreshAfterHistoryStep(GameBase& game) {
  game.UpdateHighlights();
  game.LayoutKeypads();
  game.HideKeypads();
  game.ClearHint();
  // Clearing the hint alone does not repaint the grid, which would leave a
  // hint drawn until the next change.
  game.NotifyViews();
}

}  // namespace

void UndoLast(CommandHistory& history, GameBase& game) {
  if (history.CanUndo()) {
    // Hold our own reference: the slot may be overwritten while Undo runs.
    const std::shared_ptr<Base> command = history.PopUndo();
    if (command) command->Undo();
  }
  RefreshAfterHistoryStep(game);
}

void RedoNext(CommandHistory& history, GameBase& game) {
  if (history.CanRedo()) {
    const std::shared_ptr<Base> command = history.NextRedo();
    if (command) command->Execute();
  }
  RefreshAfterHistoryStep(game);
}

}  // namespace gamecommands
