// The splash and the web request go to the installed program host.
#include "forms/common/ProgramHost.h"
#include "startup/Splash.h"
#include "startup/WebRequestCommand.h"

void ShowSplashLogo() {
  if (const auto& showSplash = InstalledProgramHost().showSplash) showSplash();
}

void WebRequestCommand::Execute() {
  if (const auto& requestWeb = InstalledProgramHost().requestWeb) requestWeb(statistics);
}
