#include "forms/application/CloseGUICommand.h"

#include "winapi/windows.h"

void CloseGUICommand::Execute() { PostQuitMessage(0); }
