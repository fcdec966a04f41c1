// The desktop program's string table (what a Win32 executable carries as
// resources): string 2000, the main window's title.
#pragma once

namespace desktop {

void RegisterDesktopResources();

}  // namespace desktop
