// Ends the running message loop, as the close box does: start-up's main
// loop, so the program goes on to its shutdown saves.
#pragma once

#include "game/ApplicationCommand.h"

class CloseGUICommand : public ApplicationCommand {
 public:
  // Posts the quit message; the loop ends when it takes it.
  void Execute() override;
};
