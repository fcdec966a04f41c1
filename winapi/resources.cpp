// The program's resources and the small module-level calls: strings,
// standard cursors, screen metrics and message boxes.
#include "winapi/resources.h"

#include "winapi/backend.h"
#include "winapi/device.h"

#include <algorithm>
#include <cwchar>
#include <map>

namespace winapi {
namespace {

constexpr std::uintptr_t kCursorTag = 4;
constexpr std::uintptr_t kModuleTag = 6;

constexpr unsigned kStandardCursors[] = {32512 /* arrow */, 32513 /* I-beam */, 32514 /* wait */, 32649 /* hand */};

std::map<UINT, std::wstring>& Strings() {
  static auto* strings = new std::map<UINT, std::wstring>;
  return *strings;
}

bool IsStandardCursor(std::uintptr_t id) {
  return std::find(std::begin(kStandardCursors), std::end(kStandardCursors), id) != std::end(kStandardCursors);
}

}  // namespace

void SetStringResource(UINT id, std::wstring text) { Strings()[id] = std::move(text); }

void ClearStringResources() { Strings().clear(); }

unsigned StandardCursorId(HCURSOR cursor) {
  const auto value = reinterpret_cast<std::uintptr_t>(cursor);
  const std::uintptr_t id = value >> 4;
  return (value & 0xF) == kCursorTag && IsStandardCursor(id) ? static_cast<unsigned>(id) : 0;
}

}  // namespace winapi

int LoadStringW(HINSTANCE, UINT id, LPWSTR buffer, int bufferMax) {
  if (buffer == nullptr || bufferMax <= 0) {
    return 0;
  }
  buffer[0] = 0;
  const auto found = winapi::Strings().find(id);
  if (found == winapi::Strings().end()) {
    return 0;
  }
  const std::size_t count = std::min<std::size_t>(found->second.size(), static_cast<std::size_t>(bufferMax) - 1);
  std::wmemcpy(buffer, found->second.data(), count);
  buffer[count] = 0;
  return static_cast<int>(count);
}

// Only the system's standard cursors exist: our programs carry no cursor
// resources of their own.
HCURSOR LoadCursorW(HINSTANCE instance, LPCWSTR name) {
  if (instance != nullptr || !IS_INTRESOURCE(name)) {
    return nullptr;
  }
  const auto id = reinterpret_cast<std::uintptr_t>(name);
  if (!winapi::IsStandardCursor(id)) {
    return nullptr;
  }
  return reinterpret_cast<HCURSOR>((id << 4) | winapi::kCursorTag);
}

// There are no icon or bitmap resources; standard cursors load as with
// LoadCursorW.  A missing resource is NULL, as in Win32.
HANDLE LoadImageW(HINSTANCE instance, LPCWSTR name, UINT type, int, int, UINT) {
  return type == IMAGE_CURSOR ? LoadCursorW(instance, name) : nullptr;
}

HMODULE GetModuleHandleW(LPCWSTR moduleName) {
  if (moduleName != nullptr) {
    return nullptr;  // the program is the only module
  }
  return reinterpret_cast<HMODULE>((std::uintptr_t{1} << 4) | winapi::kModuleTag);
}

// The layer's own controls are system classes that need no loading.
void InitCommonControls() {}

// An emulated device screen, when the program runs as one, stands in for the
// monitor.
int GetSystemMetrics(int index) {
  const SIZE screen = winapi::device::EmulatedScreen().value_or(winapi::CurrentBackend().ScreenSize());
  switch (index) {
    case SM_CXSCREEN: return screen.cx;
    case SM_CYSCREEN: return screen.cy;
    default: return 0;
  }
}

int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
  return winapi::CurrentBackend().MessageBox(owner, text != nullptr ? text : L"",
                                             caption != nullptr ? caption : L"Error", type);
}
