#pragma once
// A change the player makes to the grid, as an object that can be undone.
//
// Execute reports whether it changed anything; only then is the command
// recorded in the undo history. A second Execute is a redo: it repeats the
// action but keeps the change list of the first run, so undo and redo can
// alternate over the same entry any number of times.

#include <vector>

#include "game/CellChange.h"

namespace gamecommands {

class Base {
 public:
  Base() = default;
  Base(const Base&) = delete;
  Base& operator=(const Base&) = delete;
  virtual ~Base() = default;

  virtual bool Execute() = 0;
  virtual void Undo() = 0;

 protected:
  bool firstRun = true;
  std::vector<CellChange> changes;
};

}  // namespace gamecommands
