#include "startup/StartupInstalls.h"

#include "forms/application/ApplicationServices.h"
#include "forms/application/FormatSeconds.h"

void InstallStartupServices() {
  InstallApplicationServices();
  InstallTimeFormatter();
}
