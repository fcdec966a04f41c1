// The desktop's screen: the main window is always 480 by 640, whatever the
// monitor, so there is nothing to ask the system.
#include "forms/application/GetCurrentScreenResolutionCommand.h"

void GetCurrentScreenResolutionCommand::Execute() {
  width = 480;
  height = 640;
}
