// The emulated device's screen and shell state, and its reset.
#include "winapi/device.h"

#include "winapi/backend.h"
#include "winapi/device_parts.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace winapi::device {
namespace {

struct ShellRecord {
  std::optional<SIZE> screen;
  DWORD fullScreenState = 0;
  int keyboardRequests = 0;
  DeviceShell* shell = nullptr;
};

ShellRecord& Record() {
  static auto* record = new ShellRecord;  // outlives the program's static objects
  return *record;
}

std::optional<int> ParseSide(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  if (value < kSmallestScreenSide || value > kLargestScreenSide) return std::nullopt;
  return value;
}

}  // namespace

namespace parts {
DeviceShell* Shell() { return Record().shell; }
}  // namespace parts

std::optional<SIZE> ParseScreenSize(std::string_view text) {
  const std::size_t cross = text.find_first_of("xX");
  if (cross == std::string_view::npos) return std::nullopt;
  const std::optional<int> width = ParseSide(text.substr(0, cross));
  const std::optional<int> height = ParseSide(text.substr(cross + 1));
  if (!width || !height) return std::nullopt;
  return SIZE{*width, *height};
}

std::optional<SIZE> ScreenFromEnvironment(const char* value) {
  if (value == nullptr || *value == '\0') return std::nullopt;
  const std::optional<SIZE> size = ParseScreenSize(value);
  if (!size)
    std::fprintf(stderr,
                 "TAVLIN_HANDHELD_SCREEN=\"%s\" ignored (want WxH, each side %d to %d; the smallest screen is "
                 "%dx%d): full screen\n",
                 value, kSmallestScreenSide, kLargestScreenSide, kSmallestScreenSide, kSmallestScreenSide);
  return size;
}

std::optional<SIZE> WindowForASmallMonitor(SIZE monitor) {
  if (monitor.cx >= kSmallestScreenSide && monitor.cy >= kSmallestScreenSide) return std::nullopt;
  const SIZE window{std::max<LONG>(monitor.cx, kSmallestScreenSide), std::max<LONG>(monitor.cy, kSmallestScreenSide)};
  std::fprintf(stderr,
               "The monitor's %ldx%ld is under the smallest screen (each side %d or more): a window of %ldx%ld\n",
               static_cast<long>(monitor.cx), static_cast<long>(monitor.cy), kSmallestScreenSide,
               static_cast<long>(window.cx), static_cast<long>(window.cy));
  return window;
}

void SetEmulatedScreen(std::optional<SIZE> size) { Record().screen = size; }
std::optional<SIZE> EmulatedScreen() { return Record().screen; }
bool FullScreenMode() { return !Record().screen.has_value(); }

DWORD ShellState() { return Record().fullScreenState; }
bool ShellChromeHidden() { return (Record().fullScreenState & SHFS_HIDETASKBAR) != 0; }
int SoftKeyboardRequests() { return Record().keyboardRequests; }
bool TextInputOn() { return Record().keyboardRequests > 0; }

void SyncTextInput() {
  if (Record().shell != nullptr) Record().shell->SetTextInput(TextInputOn());
}

DeviceShell* InstallDeviceShell(DeviceShell* shell) {
  DeviceShell* previous = Record().shell;
  Record().shell = shell;
  return previous;
}

void Reset() {
  ShellRecord& record = Record();
  record.screen.reset();
  record.fullScreenState = 0;
  record.keyboardRequests = 0;
  parts::ResetRegistry();
  parts::ResetPower();
  parts::ResetInstanceLock();
}

}  // namespace winapi::device

// The hidden chrome of the device is the window covering the whole screen
// here: in full-screen mode the window goes full screen while active and
// back while another program is.
BOOL SHFullScreen(HWND hwnd, DWORD state) {
  auto& record = winapi::device::Record();
  record.fullScreenState = state;
  if (record.shell != nullptr && winapi::device::FullScreenMode()) {
    if ((state & SHFS_HIDETASKBAR) != 0) record.shell->SetFullScreen(hwnd, true);
    if ((state & SHFS_SHOWTASKBAR) != 0) record.shell->SetFullScreen(hwnd, false);
  }
  return TRUE;
}

// Counted: with two edits, closing one must not stop typing into the other.
BOOL SipShowIM(DWORD flags) {
  auto& record = winapi::device::Record();
  const bool wasOn = record.keyboardRequests > 0;
  record.keyboardRequests += (flags & SIPF_ON) != 0 ? 1 : -1;
  if (record.keyboardRequests < 0) record.keyboardRequests = 0;
  const bool on = record.keyboardRequests > 0;
  if (record.shell != nullptr && on != wasOn) record.shell->SetTextInput(on);
  return TRUE;
}
