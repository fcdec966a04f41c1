// Switches to the help form (HelpForm.h) as ShowAboutFormCommand.h does to
// the about form: the tab bar's highlight cleared, the form built on the
// deferred message, the game left as it is.
#pragma once

#include "game/ApplicationCommand.h"

class ShowHelpFormCommand : public ApplicationCommand {
 public:
  // Without an application object nothing happens.
  void Execute() override;
  void ExecuteDeferred() override { BuildForm(); }
  // The new form is complete before it replaces the current one; a missing
  // item of form 13 throws what ResourceManager::GetItemConfig throws, and
  // the old form stays.
  void BuildForm();
};
