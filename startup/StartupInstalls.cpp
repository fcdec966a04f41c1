#include "startup/StartupInstalls.h"

#include "forms/application/ApplicationServices.h"
#include "forms/application/FormatSeconds.h"
#include "forms/commands/ShowGameForm.h"
#include "forms/gameform/ShowGameFormCommand.h"
#include "forms/menu/ShowMenuFormCommand.h"
#include "forms/options/ShowOptionFormCommand.h"

void InstallStartupServices() {
  InstallApplicationServices();
  InstallTimeFormatter();
  application_commands::InstallShowGameForm([](bool showPuzzleInfo) { ShowGameFormCommand(showPuzzleInfo).Execute(); });
  InstallGameTabCommand();
  InstallOptionsForms();
  InstallMenuForms();
}
