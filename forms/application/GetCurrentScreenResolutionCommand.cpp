#include "forms/application/GetCurrentScreenResolutionCommand.h"

#include "forms/common/ProgramHost.h"

void GetCurrentScreenResolutionCommand::Execute() {
  const ProgramHost& host = InstalledProgramHost();
  const ScreenSize screen = host.screenSize ? host.screenSize() : ScreenSize{};
  width = screen.width;
  height = screen.height;
}
