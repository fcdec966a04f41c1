// The handheld's keep-awake command: counted, so that only the first
// request switches suppression on and only the last one off.
#include "forms/gameform/SuspendKillerCommand.h"

#include "platform/handheld/SuspendKiller.h"

void SuspendKillerCommand::Execute() { handheld::TheKeepAwakeCount().Request(keepAwake); }
