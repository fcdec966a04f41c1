#include "forms/gameform/SuspendKillerCommand.h"

#include "forms/common/ProgramHost.h"

void SuspendKillerCommand::Execute() {
  if (const auto& keepAwake = InstalledProgramHost().keepAwake) keepAwake(this->keepAwake);
}
