// Stands in for the desktop's file chooser program in the prompt display
// tests, started by a script of the chooser's name in a folder that the
// program's PATH holds, with that folder as its first argument.
// Like a real chooser it puts a window over the program's for a moment and
// takes it away just before it prints its answer and ends: a window of one
// flat colour over the whole screen, so that whatever of it the program does
// not draw over afterwards shows on a screenshot.
//
// Its answer is the file "answer" in that folder: the exit status on the first
// line, the path to print on the second.  It writes "ran" there when done.
#include <X11/Xlib.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

namespace {

// The colour no window of the game shows.
constexpr unsigned long kMagenta = 0xFF00FF;

void CoverTheScreenForAMoment() {
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
  std::this_thread::sleep_for(std::chrono::milliseconds(400));
  // Gone from the server before the answer: the program hears of the
  // uncovered area as soon as it can know the chooser ended.
  XDestroyWindow(display, cover);
  XSync(display, False);
  XCloseDisplay(display);
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
  CoverTheScreenForAMoment();
  std::printf("%s\n", path.c_str());
  std::fflush(stdout);
  std::ofstream(folder / "ran") << "ran\n";
  return status;
}
