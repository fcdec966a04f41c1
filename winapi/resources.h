// The program's string table, read by LoadStringW.  A program registers its
// strings at start-up (the main window title is string 2000), in place of the
// resource section a Win32 executable would carry.
#pragma once

#include "winapi/windows.h"

#include <string>

namespace winapi {

void SetStringResource(UINT id, std::wstring text);
void ClearStringResources();

}  // namespace winapi
