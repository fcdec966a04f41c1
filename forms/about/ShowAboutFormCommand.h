// Switches to the about form (AboutForm.h) the deferred way of every form:
// Execute clears the tab bar's highlight (no tab leads to this form),
// stores a copy of the command as the pending form command and posts the
// deferred message; the frame then runs the copy's deferred build, which
// makes the form current.  The game is left as it is: the menu, from which
// the form is opened, has paused it already.  ShowHelpFormCommand.h does the
// same for the help form.
#pragma once

#include "game/ApplicationCommand.h"

class ShowAboutFormCommand : public ApplicationCommand {
 public:
  // Without an application object nothing happens.
  void Execute() override;
  void ExecuteDeferred() override { BuildForm(); }

  // The new form is complete before it replaces the current one; a missing
  // item of form 14 throws what ResourceManager::GetItemConfig throws, and
  // the old form stays.
  void BuildForm();
};
