// Clears the highlight of the application tab bar, so that no tab stands
// for the form shown: the show-form commands of the forms that no tab leads
// to (the game form's too, which selects its tab again as it is built) run
// it before they show theirs.  It runs no tab's command.
#pragma once

#include "game/ApplicationCommand.h"

class DeselectApplicationTabBarCommand : public ApplicationCommand {
 public:
  // Nothing happens while the main frame holds no application tab bar.
  void Execute() override;
};
