#include "winapi/sdl/x11_windows.h"

#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xproto.h>

#include <unistd.h>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <mutex>
#include <set>
#include <thread>

namespace winapi::sdl::x11 {
namespace {

// Every X window the backend has had, gone ones included: the errors about a
// window arrive after it went.  Guarded, since SDL may send its wake-up (and
// read the error it brings) on another thread.  Never destroyed: errors are
// read while SDL shuts down in an exit handler.
std::mutex g_mutex;
std::set<XID>& Ours() {
  static auto* ours = new std::set<XID>;
  return *ours;
}
XErrorHandler g_previous = nullptr;
bool g_installed = false;

bool IsOurs(XID id) {
  const std::lock_guard<std::mutex> lock(g_mutex);
  return Ours().count(id) != 0;
}

// SDL finds where a window lies by asking X for its parent and translating
// coordinates to it; when the window has just gone, the parent query fails
// and SDL translates against a parent it never got, so the error names no
// window at all.  SDL translates only for its own windows, so such an error
// is always about one of ours that is gone.

int HandleError(Display* display, XErrorEvent* error) {
  const bool gone = error->error_code == BadWindow || error->error_code == BadDrawable;
  if (gone && (IsOurs(error->resourceid) || error->request_code == X_TranslateCoords)) {
    return 0;
  }
  return g_previous != nullptr ? g_previous(display, error) : 0;
}

void (*g_lost)() = nullptr;
pid_t g_guiThread = 0;  // the kernel's thread id: known before any std::thread exists
// Set once the program is on its way out: through `g_lost`, or through
// another path that claimed the end (ClaimEnd).
std::atomic<bool> g_endTaken{false};

int HandleIOError(Display*) {
  const bool guiThread = gettid() == g_guiThread;
  if (!guiThread) {
    // The GUI thread sees the broken connection at its next read, and only
    // there is the program's state safe to save.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (std::chrono::steady_clock::now() < deadline) {
      if (g_endTaken.load()) {
        std::this_thread::sleep_for(std::chrono::seconds(10));
        _exit(EXIT_FAILURE);
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  }
  if (g_endTaken.exchange(true)) {
    // Already on the way out (saving met the broken connection again):
    // nothing more can be done.
    _exit(EXIT_FAILURE);
  }
  if (g_lost != nullptr) {
    g_lost();
  }
  _exit(EXIT_FAILURE);
}

}  // namespace

void InstallIOErrorHandler(void (*lost)()) {
  g_lost = lost;
  g_guiThread = gettid();
  XSetIOErrorHandler(&HandleIOError);
}

bool ClaimEnd() { return !g_endTaken.exchange(true); }

void InstallErrorHandler() {
  if (!g_installed) {
    g_previous = XSetErrorHandler(&HandleError);
    g_installed = true;
  }
}

unsigned long RememberWindow(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11) {
    return 0;
  }
  const std::lock_guard<std::mutex> lock(g_mutex);
  Ours().insert(info.info.x11.window);
  return info.info.x11.window;
}

void MarkModalDialog(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11) {
    return;
  }
  Display* display = info.info.x11.display;
  const Window xWindow = info.info.x11.window;
  const Atom atom = XA_ATOM;
  Atom type = XInternAtom(display, "_NET_WM_WINDOW_TYPE_DIALOG", False);
  XChangeProperty(display, xWindow, XInternAtom(display, "_NET_WM_WINDOW_TYPE", False), atom, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(&type), 1);
  Atom modal = XInternAtom(display, "_NET_WM_STATE_MODAL", False);
  XChangeProperty(display, xWindow, XInternAtom(display, "_NET_WM_STATE", False), atom, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(&modal), 1);
  XFlush(display);
}

unsigned long DestroyedWindow(const SDL_Event& event) {
  if (event.type != SDL_SYSWMEVENT || event.syswm.msg == nullptr || event.syswm.msg->subsystem != SDL_SYSWM_X11) {
    return 0;
  }
  const XEvent& x = event.syswm.msg->msg.x11.event;
  return x.type == DestroyNotify ? x.xdestroywindow.window : 0;
}

}  // namespace winapi::sdl::x11
