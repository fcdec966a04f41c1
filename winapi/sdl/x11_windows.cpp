#include "winapi/sdl/x11_windows.h"

#include "winapi/sdl/running_chooser.h"

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

// A window manager's check window that is being read (see ManagerRuns): it
// may be gone with a manager that ended.
std::atomic<XID> g_probed{0};

int HandleError(Display* display, XErrorEvent* error) {
  const bool gone = error->error_code == BadWindow || error->error_code == BadDrawable;
  const bool probed = error->resourceid != 0 && error->resourceid == g_probed.load();
  if (gone && (IsOurs(error->resourceid) || probed || error->request_code == X_TranslateCoords)) {
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
        ExitEndingTheChooser();
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  }
  if (g_endTaken.exchange(true)) {
    // Already on the way out (saving met the broken connection again):
    // nothing more can be done.
    ExitEndingTheChooser();
  }
  if (g_lost != nullptr) {
    g_lost();
  }
  ExitEndingTheChooser();
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

namespace {

struct XWindowOf {
  Display* display = nullptr;
  Window window = 0;
};

XWindowOf XWindowFor(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11) {
    return {};
  }
  return {info.info.x11.display, info.info.x11.window};
}

// The window a property of `window` names, or 0.
Window NamedWindow(Display* display, Window window, Atom property) {
  Atom type = 0;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  Window named = 0;
  if (XGetWindowProperty(display, window, property, 0, 1, False, XA_WINDOW, &type, &format, &count, &after, &data) ==
          Success &&
      data != nullptr && format == 32 && count == 1) {
    named = static_cast<Window>(*reinterpret_cast<const unsigned long*>(data));
  }
  if (data != nullptr) {
    XFree(data);
  }
  return named;
}

// A manager that runs names a check window of its own on the root window,
// and the check window names itself; one that has gone leaves the root's
// property behind, naming a window that is gone or names nothing.
bool ManagerRuns(Display* display) {
  const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False);
  const Window named = NamedWindow(display, DefaultRootWindow(display), check);
  if (named == 0) {
    return false;
  }
  g_probed = named;
  // The reply comes after any error, which the handler then drops.
  const bool runs = NamedWindow(display, named, check) == named;
  g_probed = 0;
  return runs;
}

}  // namespace

bool HasInputFocus(SDL_Window* window) {
  const XWindowOf x = XWindowFor(window);
  if (x.display == nullptr) {
    return false;
  }
  Window focus = 0;
  int revertTo = 0;
  XGetInputFocus(x.display, &focus, &revertTo);
  return focus == x.window;
}

void FocusWithoutManager(SDL_Window* window) {
  const XWindowOf x = XWindowFor(window);
  if (x.display == nullptr || ManagerRuns(x.display)) {
    return;
  }
  XWindowAttributes attributes{};
  if (XGetWindowAttributes(x.display, x.window, &attributes) == 0 || attributes.map_state != IsViewable) {
    return;  // X refuses the focus to a window that is not on the screen
  }
  // Should this window go too, the keyboard falls back to the root window,
  // from where it reaches the window under the pointer, not to nowhere.
  XSetInputFocus(x.display, x.window, RevertToParent, CurrentTime);
  XFlush(x.display);
}

unsigned long DestroyedWindow(const SDL_Event& event) {
  if (event.type != SDL_SYSWMEVENT || event.syswm.msg == nullptr || event.syswm.msg->subsystem != SDL_SYSWM_X11) {
    return 0;
  }
  const XEvent& x = event.syswm.msg->msg.x11.event;
  return x.type == DestroyNotify ? x.xdestroywindow.window : 0;
}

}  // namespace winapi::sdl::x11
