#include "platform/win32/Application/program_host.h"

#include "platform/win32/Application/ShowSplashLogo.h"

ProgramHost desktop::Host() {
  ProgramHost host;
  host.showSplash = &desktop::ShowSplashLogo;
  host.requestWeb = &desktop::RequestWeb;
  return host;
}
