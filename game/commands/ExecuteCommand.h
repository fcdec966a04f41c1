#pragma once
// The one way game commands are run: a command that reports a change is
// recorded in the undo history; one that changed nothing is dropped and
// leaves the redo side as it was.

#include <memory>

namespace gamecommands {

class Base;

void ExecuteCommand(std::shared_ptr<Base> command);

}  // namespace gamecommands
