// Switches to the players form (UsersForm.h) the deferred way of every form:
// Execute clears the tab bar's highlight (no tab leads to this form), stores
// a copy of the command as the application's pending form command and posts
// the deferred message; when the main frame receives it, the copy's deferred
// build makes the form current, and the form it replaces goes.
#pragma once

#include "game/ApplicationCommand.h"

class ShowUsersFormCommand : public ApplicationCommand {
 public:
  // Nothing is shown before the message loop turns; without an application
  // state nothing happens at all.
  void Execute() override;
  void ExecuteDeferred() override { BuildForm(); }

  // The new form is complete before it replaces the current one.  A missing
  // item of form 11 throws what ResourceManager::GetItemConfig throws, and
  // the old form stays.
  void BuildForm();
};
