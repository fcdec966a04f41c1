// Shows the options form (OptionsForm.h), the deferred way of every form:
// Execute stores a copy of the command as the application's pending form
// command and posts the deferred message to the main frame; the frame's
// handling of it runs the copy's ExecuteDeferred, which builds the form.
// Unlike the game form's command it leaves the application tab bar as it
// is: the Options tab, which runs it, stays highlighted.
//
// The Options tab runs it, and so does the Preferences page after a change
// of language, to show the form again in the new texts.
#pragma once

#include "game/ApplicationCommand.h"

class ShowOptionFormCommand : public ApplicationCommand {
 public:
  // Nothing happens without an application state.
  void Execute() override;
  // Releases the current form first, so that an options form being
  // replaced stores its tab before the new one reads it; then builds the
  // form on the stored tab (Game when none is stored or the number is not
  // one of the other three), makes it current and deactivates the game (its
  // views hide and its clock pauses).  A missing item of a form throws what
  // ResourceManager::GetItemConfig throws, and no form is current then.
  void ExecuteDeferred() override;
};
