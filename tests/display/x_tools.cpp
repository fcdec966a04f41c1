#include "x_tools.h"

#include <X11/Xlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <thread>

namespace display_test {

std::string Run(const std::string& command) {
  std::string out;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char chunk[4096];
    std::size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, pipe)) > 0) {
      out.append(chunk, got);
    }
    pclose(pipe);
  }
  return out;
}

unsigned long FindWindow(const std::string& title, int timeoutMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  do {
    std::istringstream found(Run("xdotool search --name '" + title + "' 2>/dev/null"));
    unsigned long window = 0;
    if (found >> window) {
      return window;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  } while (std::chrono::steady_clock::now() < deadline);
  return 0;
}

std::uint32_t Picture::At(int x, int y) const {
  const std::size_t i = (static_cast<std::size_t>(y) * width + x) * 3;
  return (std::uint32_t(rgb[i]) << 16) | (std::uint32_t(rgb[i + 1]) << 8) | rgb[i + 2];
}

int Picture::DarkIn(int left, int top, int right, int bottom) const {
  int dark = 0;
  for (int y = std::max(top, 0); y < std::min(bottom, height); ++y) {
    for (int x = std::max(left, 0); x < std::min(right, width); ++x) {
      const std::uint32_t p = At(x, y);
      dark += ((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF) < 3 * 128 ? 1 : 0;
    }
  }
  return dark;
}

// import writes a binary PPM: "P6", width, height, maximum 255, then RGB.
Picture Screenshot(unsigned long window) {
  const std::string ppm = Run("import -window " + std::to_string(window) + " -depth 8 ppm:- 2>/dev/null");
  Picture picture;
  std::istringstream header(ppm);
  std::string magic;
  int maximum = 0;
  if (!(header >> magic >> picture.width >> picture.height >> maximum) || magic != "P6" || maximum != 255) {
    return Picture{};
  }
  const std::size_t start = static_cast<std::size_t>(header.tellg()) + 1;  // one blank after the maximum
  const std::size_t bytes = static_cast<std::size_t>(picture.width) * picture.height * 3;
  if (ppm.size() < start + bytes) {
    return Picture{};
  }
  picture.rgb.assign(ppm.begin() + static_cast<std::ptrdiff_t>(start),
                     ppm.begin() + static_cast<std::ptrdiff_t>(start + bytes));
  return picture;
}

void PressCloseBox(unsigned long window) {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    return;
  }
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, window, False, NoEventMask, &event);
  XFlush(display);
  XCloseDisplay(display);
}

bool WindowManagerRuns(const std::string& display) {
  Display* x = XOpenDisplay(display.c_str());
  if (x == nullptr) {
    return false;
  }
  Atom type = 0;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  const bool runs = XGetWindowProperty(x, DefaultRootWindow(x), XInternAtom(x, "_NET_SUPPORTING_WM_CHECK", False), 0, 1,
                                       False, AnyPropertyType, &type, &format, &count, &after, &data) == Success &&
                    count == 1;
  if (data != nullptr) {
    XFree(data);
  }
  XCloseDisplay(x);
  return runs;
}

bool HaveTools() { return std::system("command -v xdotool >/dev/null 2>&1 && command -v import >/dev/null 2>&1") == 0; }

}  // namespace display_test
