// Switches to the players form (UsersForm.h) the deferred way of every form:
// Execute clears the tab bar's highlight (no tab leads to this form), stores
// a copy of the command as the application's pending form command and posts
// the deferred message; when the main frame receives it, the copy's deferred
// build makes the form current, and the form it replaces goes.
//
// The main menu opens this form and this form's Select returns to the menu.
// The menu's library sits beside this one and already depends on it, so the
// way back is a function the menu installs at start-up rather than a call
// to the menu's show command.
#pragma once

#include <functional>

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

namespace users_form {

// What Select runs once the selected player is current: the main menu is
// shown.  An empty function uninstalls it; Select then leaves the form on
// screen.
void InstallShowMenuForm(std::function<void()> show);
// Runs what InstallShowMenuForm installed, if anything.
void ShowMenuForm();

}  // namespace users_form
