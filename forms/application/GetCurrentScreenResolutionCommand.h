// The size of the screen the layouts are loaded for.  Only the program's
// host knows it: the desktop window is always 480 by 640, the handheld asks
// its display.  So the command asks the installed program host.
#pragma once

#include "game/ApplicationCommand.h"

class GetCurrentScreenResolutionCommand : public ApplicationCommand {
 public:
  void Execute() override;

  int width = 0;
  int height = 0;
};
