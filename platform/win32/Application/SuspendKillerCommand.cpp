// The desktop's keep-awake command: a desktop does not suspend a program
// that is running, so there is nothing to keep awake.
#include "forms/gameform/SuspendKillerCommand.h"

void SuspendKillerCommand::Execute() {}
