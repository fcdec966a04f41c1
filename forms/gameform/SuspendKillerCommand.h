// Keeps the device awake while a puzzle is on screen: the game form's model
// runs it with true as it is made and with false as it goes.  What keeping
// awake means belongs to the device, so it asks the program host; on the
// desktop, where nothing suspends a running program, it does nothing.
#pragma once

#include "game/ApplicationCommand.h"

class SuspendKillerCommand : public ApplicationCommand {
 public:
  explicit SuspendKillerCommand(bool keepAwake) : keepAwake(keepAwake) {}
  void Execute() override;

  bool keepAwake;
};
