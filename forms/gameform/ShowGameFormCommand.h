// Switches to the game form, the deferred way of every form: Execute clears
// the tab bar's highlight, stores a copy of the command as the application's
// pending form command and posts the deferred message; when the main frame
// receives it, the copy's deferred build (BuildForm) makes the form current,
// shows the current game and selects the Game tab.
//
// The Game tab and start-up show the form without the puzzle information;
// the paths that have just put a new puzzle into the game (building,
// selecting or opening one) ask for it, and it opens in a nested loop once
// the form, the game and the tab are shown.
#pragma once

#include "game/ApplicationCommand.h"

class ShowGameFormCommand : public ApplicationCommand {
 public:
  explicit ShowGameFormCommand(bool showPuzzleInfo) : showPuzzleInfo(showPuzzleInfo) {}

  // Nothing is shown before the message loop turns; without an application
  // state nothing happens at all.
  void Execute() override;
  void ExecuteDeferred() override { BuildForm(); }

  // The new form is complete before it replaces the current one.  A missing
  // item of form 16 throws what ResourceManager::GetItemConfig throws, and
  // the old form stays.
  void BuildForm();

  bool showPuzzleInfo;
};
