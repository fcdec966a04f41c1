// Switches to the select-puzzle form (SelectPuzzleForm.h) the deferred way
// of every form: Execute clears the tab bar's highlight (no tab leads to this
// form), stores a copy of the command as the application's pending form
// command and posts the deferred message; the main frame then runs the
// copy's deferred build.
//
// Unlike the other forms, the build lets the current form go before it makes
// this one: the old form's windows are gone before the package is read and
// the preview's images are rendered, so the two forms never stand at once.
#pragma once

#include "game/ApplicationCommand.h"

class ShowPuzzleSelectedFormCommand : public ApplicationCommand {
 public:
  // Nothing is shown before the message loop turns; without an application
  // state nothing happens at all.
  void Execute() override;
  void ExecuteDeferred() override { BuildForm(); }

  // Releases the current form, then makes this one current.  A missing item
  // of form 9 or form 16's item 8 throws what ResourceManager::GetItemConfig
  // throws, and no form is current.
  void BuildForm();
};
