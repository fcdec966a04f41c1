#include "game/commands/ExecuteCommand.h"

#include "game/CommandHistory.h"
#include "game/commands/Base.h"

namespace gamecommands {

void ExecuteCommand(std::shared_ptr<Base> command) {
  if (!command) return;
  if (!command->Execute()) return;
  // Without a history (before the application object exists, or in a tool)
  // the change stands but cannot be undone.
  if (CommandHistory* history = CommandHistory::Instance()) history->Record(command);
}

}  // namespace gamecommands
