// What the display tests do on the X display: find a window, take its
// picture, and press its close box, through the X tools (xdotool,
// ImageMagick's import) and Xlib.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace display_test {

// Runs a shell command and returns what it printed.
std::string Run(const std::string& command);

// The first window whose title matches `title`, waiting up to `timeoutMs`;
// 0 when none appeared.
unsigned long FindWindow(const std::string& title, int timeoutMs);

// What the window shows, in 8-bit RGB, top row first.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;

  std::uint32_t At(int x, int y) const;  // 0xRRGGBB
  // Pixels darker than mid-grey inside [left, right) x [top, bottom).
  int DarkIn(int left, int top, int right, int bottom) const;
};
Picture Screenshot(unsigned long window);

// What a window manager sends when the player presses the close box.
void PressCloseBox(unsigned long window);

// Whether a window manager has taken over `display` (it names its check
// window on the root window).
bool WindowManagerRuns(const std::string& display);

// Whether the tools the tests drive the display with are installed.
bool HaveTools();

}  // namespace display_test
