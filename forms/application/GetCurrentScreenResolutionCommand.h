// The size of the screen the layouts are loaded for.  Only the program's
// host knows it: the desktop window is always 480 by 640, the handheld asks
// its display.  So the command is declared here, for the forms and start-up
// to use, and each program's host defines its Execute.
#pragma once

#include "game/ApplicationCommand.h"

class GetCurrentScreenResolutionCommand : public ApplicationCommand {
 public:
  void Execute() override;

  int width = 0;
  int height = 0;
};
