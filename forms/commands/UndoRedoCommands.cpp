#include "forms/commands/UndoRedoCommands.h"

#include <memory>

#include "forms/common/Application.h"
#include "game/CommandHistory.h"
#include "game/commands/UndoRedo.h"

namespace {

// Our own reference keeps the game alive for the whole step, whatever the
// step runs.  Before the history exists (tools, a test without one) the
// game is still refreshed, as with an empty history.
template <class Step>
void StepThroughHistory(Step step) {
  Application* state = Application::Instance();
  if (state == nullptr || !state->game) return;
  const std::shared_ptr<GameBase> game = state->game;
  if (CommandHistory* history = CommandHistory::Instance()) {
    step(*history, *game);
  } else {
    CommandHistory empty;
    step(empty, *game);
  }
}

}  // namespace

void UndoCommand::Execute() { StepThroughHistory(gamecommands::UndoLast); }

void RedoCommand::Execute() { StepThroughHistory(gamecommands::RedoNext); }
