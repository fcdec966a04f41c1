#include "platform/win32/Application/desktop_resources.h"

#include "platform/win32/Application/app_entry.h"
#include "winapi/resources.h"

namespace desktop {

void RegisterDesktopResources() { winapi::SetStringResource(title_string_id, L"Tavlin - Kestrel Mill"); }

}  // namespace desktop
