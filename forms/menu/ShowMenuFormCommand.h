// Switches to the main menu (MainForm.h) the deferred way of every form:
// Execute stores a copy of the command as the pending form command and
// posts the deferred message; the frame then runs the copy's deferred
// build.  Unlike the forms the menu opens, it leaves the tab bar's highlight
// alone: the Menu tab runs it, and stays chosen.
//
// Showing the menu pauses the game: the grid and keypads are hidden and the
// clock stops until a form that shows the grid activates the game again.
#pragma once

#include "game/ApplicationCommand.h"

class ShowMenuFormCommand : public ApplicationCommand {
 public:
  // Without an application object nothing happens.
  void Execute() override;
  void ExecuteDeferred() override { BuildForm(); }

  // Builds the menu, makes it current (the old form goes), then deactivates
  // the current game.  A missing item of form 2 throws what
  // ResourceManager::GetItemConfig throws, and the old form stays.
  void BuildForm();
};
