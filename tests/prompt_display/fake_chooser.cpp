// Stands in for the desktop's file chooser program in the prompt display
// tests, started by a script of the chooser's name in a folder that the
// program's PATH holds, with that folder as its first argument.  Like a real
// chooser it puts a window over the program's, and the window goes only as
// the chooser ends and the X server drops its connection, at the moment the
// program hears that it ended.  The window is of one flat colour over the
// whole screen, so that whatever of it the program does not draw over
// afterwards shows on a screenshot.
//
// Its answer is the file "answer" in that folder: the exit status on the
// first line, the path to print on the second.  It writes "ran" there first.
#include <X11/Xlib.h>

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

namespace {

// The colour no window of the game shows.
constexpr unsigned long kMagenta = 0xFF00FF;

void CoverTheScreen() {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return;
  const int screen = DefaultScreen(display);
  XSetWindowAttributes attributes{};
  attributes.override_redirect = True;
  attributes.background_pixel = kMagenta;
  attributes.event_mask = ExposureMask;
  const Window cover = XCreateWindow(display, RootWindow(display, screen), 0, 0, DisplayWidth(display, screen),
                                     DisplayHeight(display, screen), 0, CopyFromParent, InputOutput, CopyFromParent,
                                     CWOverrideRedirect | CWBackPixel | CWEventMask, &attributes);
  XMapRaised(display, cover);
  XEvent event;
  XWindowEvent(display, cover, ExposureMask, &event);
  XSync(display, False);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const std::filesystem::path folder = argv[1];
  std::ifstream answer(folder / "answer");
  int status = 1;
  std::string path;
  answer >> status;
  answer.ignore(1);
  std::getline(answer, path);
  CoverTheScreen();
  std::this_thread::sleep_for(std::chrono::milliseconds(400));
  std::ofstream(folder / "ran") << "ran\n";
  std::printf("%s\n", path.c_str());
  std::fflush(stdout);
  // At once, without closing the display or checking for leaks: the output's
  // end and the window's going reach the program together.
  _exit(status);
}
