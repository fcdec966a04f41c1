// The SDL backend: windows, presenting, input, the clock, cursors, message
// boxes (our own windows), file dialogs and the screen size.
#include "winapi/sdl/sdl.h"

#include "base/utf.h"
#include "winapi/backend.h"
#include "winapi/close_signals.h"
#include "winapi/device.h"
#include "winapi/headless/headless.h"
#include "winapi/message_box.h"
#include "winapi/path_prompt.h"
#include "winapi/sdl/input_translator.h"
#include "winapi/sdl/window_presenter.h"
#include "winapi/sdl/x11_windows.h"
#include "winapi/sdl/zenity.h"

#include <SDL.h>

#include <poll.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <mutex>
#include <optional>
#include <thread>

namespace winapi::sdl {
namespace {

struct TopLevel {
  SDL_Window* window = nullptr;
  WindowPresenter presenter;
  HCURSOR cursor = nullptr;
  unsigned long xWindow = 0;  // 0 without X
};

// A termination signal (winapi/close_signals.h) writes into a pipe, which
// SDL's wait cannot watch: this thread does, and pushes an event that wakes
// it.  It stops pushing once SDL is shutting down.
std::mutex g_wakeMutex;
bool g_sdlRunning = false;
bool g_wakerStarted = false;

void WakeOnTerminationSignals(int wakeFd) {
  pollfd watched{wakeFd, POLLIN, 0};
  for (;;) {
    if (poll(&watched, 1, -1) <= 0) {
      continue;
    }
    DrainTerminationSignalWake();
    const std::lock_guard<std::mutex> lock(g_wakeMutex);
    if (!g_sdlRunning) {
      return;
    }
    SDL_Event event{};
    event.type = SDL_USEREVENT;
    SDL_PushEvent(&event);
  }
}

void StartWakerOnce() {
  const int wakeFd = TerminationSignalWakeFd();
  const std::lock_guard<std::mutex> lock(g_wakeMutex);
  if (g_wakerStarted || wakeFd < 0 || !g_sdlRunning) {
    return;
  }
  g_wakerStarted = true;
  std::thread(&WakeOnTerminationSignals, wakeFd).detach();
}

SDL_SystemCursor SystemCursorOf(HCURSOR cursor) {
  switch (StandardCursorId(cursor)) {
    case 32513: return SDL_SYSTEM_CURSOR_IBEAM;
    case 32514: return SDL_SYSTEM_CURSOR_WAIT;
    case 32649: return SDL_SYSTEM_CURSOR_HAND;
    default: return SDL_SYSTEM_CURSOR_ARROW;
  }
}

// How long the windows of a chooser program that has ended may take to go.
constexpr Uint32 kChooserGoneMs = 150;

[[noreturn]] void EndOnWindowGone();

// The backend is also the emulated handheld's screen: what the device's
// calls do to the window, the screen saver and text input.
class SdlBackend final : public Backend, public device::DeviceShell {
 public:
  DWORD TickCount() override { return SDL_GetTicks(); }

  bool WaitForInput(DWORD timeoutMs) override {
    if (lost_) {
      return false;
    }
    StartWakerOnce();
    PresentAll();
    SDL_Event event;
    // SDL blocks in the display connection here: an idle loop costs no
    // CPU until input comes or the next timer is due.
    const int got =
        timeoutMs == INFINITE ? SDL_WaitEvent(&event) : SDL_WaitEventTimeout(&event, static_cast<int>(timeoutMs));
    if (got == 0) {
      return timeoutMs != INFINITE;
    }
    Handle(event);
    PollInput();
    return true;
  }

  void PollInput() override {
    if (lost_) {
      return;
    }
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) {
      Handle(event);
    }
    PresentAll();
  }

  void WindowCreated(HWND hwnd) override {
    if (lost_) {
      return;
    }
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    SDL_Window* window = SDL_CreateWindow(wide_to_utf8(WindowCaption(hwnd), utf_errors::lenient).c_str(), rect.left,
                                          rect.top, std::max<int>(rect.right - rect.left, 1),
                                          std::max<int>(rect.bottom - rect.top, 1), SDL_WINDOW_HIDDEN);
    if (window == nullptr) {
      std::fprintf(stderr, "winapi sdl: cannot make a window: %s\n", SDL_GetError());
      return;
    }
    byId_[SDL_GetWindowID(window)] = hwnd;
    windows_.emplace(hwnd, TopLevel{window, WindowPresenter(hwnd), nullptr, x11::RememberWindow(window)});
    // An owned window is a prompt of its owner: left an ordinary window, it
    // would drop behind the owner at the owner's first click, and the owner,
    // whose input the prompt holds back, would look frozen.
    if (const TopLevel* owner = Find(OwnerOf(hwnd))) {
      SDL_SetWindowModalFor(window, owner->window);
      x11::MarkModalDialog(window);
    }
  }

  void WindowDestroyed(HWND hwnd) override {
    const auto found = windows_.find(hwnd);
    if (found == windows_.end() || lost_) {
      return;
    }
    // At exit SDL may have been shut down already, windows and all.
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0) {
      windows_.erase(found);
      return;
    }
    SDL_Window* const window = found->second.window;
    const bool hadKeyboard = SDL_GetKeyboardFocus() == window || x11::HasInputFocus(window);
    byId_.erase(SDL_GetWindowID(window));
    SDL_DestroyWindow(window);
    windows_.erase(found);
    // A box or prompt that closes hands the keyboard back to the window it
    // was made for, as a system activates the owner of an active window
    // that goes; without a window manager, nobody else would.
    if (TopLevel* owner = hadKeyboard ? Find(OwnerOf(hwnd)) : nullptr) {
      GiveKeyboard(*owner);
    }
  }

  // Every window left goes before SDL shuts down; SDL frees the cursors.
  void Close() {
    for (auto& [hwnd, top] : windows_) {
      SDL_DestroyWindow(top.window);
    }
    windows_.clear();
    byId_.clear();
    cursors_.clear();
  }

  void WindowPlaced(HWND hwnd) override {
    if (TopLevel* top = Find(hwnd)) {
      RECT rect{};
      GetWindowRect(hwnd, &rect);
      SDL_SetWindowSize(top->window, std::max<int>(rect.right - rect.left, 1),
                        std::max<int>(rect.bottom - rect.top, 1));
      SDL_SetWindowPosition(top->window, rect.left, rect.top);
      top->presenter.MarkAllDirty();
    }
  }

  void WindowShown(HWND hwnd, bool visible) override {
    if (TopLevel* top = Find(hwnd)) {
      if (visible) {
        SDL_ShowWindow(top->window);
        top->presenter.MarkAllDirty();
      } else {
        SDL_HideWindow(top->window);
      }
    }
  }

  void WindowTextChanged(HWND hwnd) override {
    if (TopLevel* top = Find(hwnd)) {
      SDL_SetWindowTitle(top->window, wide_to_utf8(WindowCaption(hwnd), utf_errors::lenient).c_str());
    }
  }

  void WindowCursorChanged(HWND hwnd, HCURSOR cursor) override {
    if (TopLevel* top = Find(hwnd)) {
      top->cursor = cursor;
      if (SDL_GetMouseFocus() == top->window) {
        ShowCursorOf(*top);
      }
    }
  }

  void SurfaceChanged(HWND topLevel, const RECT& rect) override {
    if (TopLevel* top = Find(topLevel)) {
      top->presenter.MarkDirty(rect);
    }
  }

  // Our own box, a window of the layer like any other.  Where no window can
  // be made for it, the text goes to stderr and the first button answers;
  // after the display went, the box answers as its close box would.
  int MessageBox(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) override {
    if (!lost_) {
      if (const std::optional<int> answer =
              RunMessageBox(owner, text, caption, type, [this](HWND box) { return Find(box) != nullptr; })) {
        return *answer;
      }
    }
    ReportUnseenMessageBox(caption, text);
    return lost_ ? MessageBoxEscapeAnswer(type) : MessageBoxButtons(type).front();
  }

  // zenity when it is installed and the program did not ask for our own
  // prompt, which is a window of the layer and comes to the screen like any
  // other.
  FileDialogResult FileDialog(const FileDialogRequest& request) override {
    if (lost_) {
      return FileDialogResult::Cancelled();
    }
    PresentAll();
    if (request.ownPrompt) {
      return RunPathPrompt(request);
    }
    if (std::optional<FileDialogResult> chosen = RunZenity(request, [this] { KeepShowingWhileBlocked(); })) {
      RedrawUncovered();
      return *std::move(chosen);
    }
    return RunPathPrompt(request);
  }

  // SDL hands the address to the desktop's opener (xdg-open on X) as one
  // argument of a new process, never through a shell.  A bare file path
  // becomes a file: address, which is what the opener expects.
  bool OpenExternal(const ShellOpenRequest& request) override {
    std::string target = wide_to_utf8(request.target, utf_errors::lenient);
    if (target.find("://") == std::string::npos && target.rfind("mailto:", 0) != 0) target = "file://" + target;
    return SDL_OpenURL(target.c_str()) == 0;
  }

  // To the front, with the keyboard.
  void Raise(HWND topLevel) override {
    if (TopLevel* top = Find(topLevel)) {
      SDL_RestoreWindow(top->window);
      GiveKeyboard(*top);
    }
  }

  void SetFullScreen(HWND topLevel, bool fullScreen) override {
    if (TopLevel* top = Find(topLevel)) {
      SDL_SetWindowFullscreen(top->window, fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
      top->presenter.MarkAllDirty();
    }
  }

  void KeepDisplayAwake(bool awake) override {
    if (awake) {
      SDL_DisableScreenSaver();
    } else {
      SDL_EnableScreenSaver();
    }
  }

  // The rectangle tells an input method or on-screen keyboard where the
  // text goes, so that it does not cover the edit.
  void SetTextInput(bool on) override {
    if (!on) {
      SDL_StopTextInput();
      return;
    }
    if (const HWND focus = GetFocus()) {
      RECT client{};
      GetClientRect(focus, &client);
      POINT corner{0, 0};
      ClientToScreen(focus, &corner);
      HWND topLevel = focus;
      while (GetParent(topLevel) != nullptr) {
        topLevel = GetParent(topLevel);
      }
      POINT origin{0, 0};
      ClientToScreen(topLevel, &origin);
      SDL_Rect area{corner.x - origin.x, corner.y - origin.y, client.right, client.bottom};
      SDL_SetTextInputRect(&area);
    }
    SDL_StartTextInput();
  }

  SIZE ScreenSize() override {
    SDL_Rect bounds{0, 0, 0, 0};
    SDL_GetDisplayBounds(0, &bounds);
    return SIZE{bounds.w, bounds.h};
  }

  RECT DisplayAreaAt(POINT point) override {
    const SDL_Point at{point.x, point.y};
    SDL_Rect bounds{0, 0, 0, 0};
    for (int display = 0, count = SDL_GetNumVideoDisplays(); display < count; ++display) {
      if (SDL_GetDisplayBounds(display, &bounds) == 0 && SDL_PointInRect(&at, &bounds)) {
        return RECT{bounds.x, bounds.y, bounds.x + bounds.w, bounds.y + bounds.h};
      }
    }
    bounds = SDL_Rect{0, 0, 0, 0};
    SDL_GetDisplayBounds(0, &bounds);
    return RECT{bounds.x, bounds.y, bounds.x + bounds.w, bounds.y + bounds.h};
  }

  // The display connection broke, or a window of ours went: nothing may go
  // to X any more, while what is saved on the way out still asks for the
  // time or a message box.
  void MarkDisplayLost() { lost_ = true; }

 private:
  // The window is found only while the display is there: everything done to
  // a found window goes to X.
  TopLevel* Find(HWND hwnd) {
    if (lost_) {
      return nullptr;
    }
    const auto found = windows_.find(hwnd);
    return found == windows_.end() ? nullptr : &found->second;
  }

  // A window manager is asked to make the window the active one; without a
  // manager the window takes the keyboard itself.
  static void GiveKeyboard(const TopLevel& top) {
    SDL_RaiseWindow(top.window);
    x11::FocusWithoutManager(top.window);
  }

  void PresentAll() {
    if (lost_) {
      return;
    }
    for (auto& [hwnd, top] : windows_) {
      top.presenter.Present(top.window);
    }
  }

  // While another program has the player's attention, our windows still show
  // what they showed when uncovered; their input is dropped, as a modal
  // dialog's owner gets none.
  void KeepShowingWhileBlocked() {
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) {
      if (const unsigned long destroyed = x11::DestroyedWindow(event); destroyed != 0) {
        XWindowDestroyed(destroyed);
        continue;
      }
      if (event.type != SDL_WINDOWEVENT) {
        continue;
      }
      const auto found = byId_.find(event.window.windowID);
      if (found == byId_.end()) {
        continue;
      }
      if (TopLevel* top = Find(found->second); top != nullptr && (event.window.event == SDL_WINDOWEVENT_EXPOSED ||
                                                                  event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED)) {
        top->presenter.MarkAllDirty();
      }
    }
    PresentAll();
  }

  // A chooser program has ended.  Its window goes when the X server notices
  // that its connection closed, which may be a moment after we did, and the
  // caller may next work for a while without asking for a message: what the
  // window covered would stay on the screen.  So the
  // windows are kept drawn for that moment, and then sent whole once more.
  // Input of the moment is kept, unlike what came while the chooser was up.
  void RedrawUncovered() {
    KeepShowingWhileBlocked();
    const Uint32 start = SDL_GetTicks();
    for (Uint32 waited = 0; waited < kChooserGoneMs; waited = SDL_GetTicks() - start) {
      SDL_Event event;
      if (SDL_WaitEventTimeout(&event, static_cast<int>(kChooserGoneMs - waited)) != 0) {
        Handle(event);
        PresentAll();
      }
    }
    for (auto& [hwnd, top] : windows_) {
      top.presenter.MarkAllDirty();
    }
    PresentAll();
  }

  // An X window went that we still have: another client destroyed it (our
  // own go from windows_ before X hears of them).
  void XWindowDestroyed(unsigned long xWindow) {
    for (const auto& [hwnd, top] : windows_) {
      if (top.xWindow == xWindow) {
        EndOnWindowGone();
      }
    }
  }

  void ShowCursorOf(const TopLevel& top) {
    const SDL_SystemCursor id = SystemCursorOf(top.cursor);
    auto& cursor = cursors_[id];
    if (cursor == nullptr) {
      cursor = SDL_CreateSystemCursor(id);
    }
    if (cursor != nullptr) {
      SDL_SetCursor(cursor);
    }
  }

  static Uint32 WindowIdOf(const SDL_Event& event) {
    switch (event.type) {
      case SDL_WINDOWEVENT: return event.window.windowID;
      case SDL_KEYDOWN:
      case SDL_KEYUP: return event.key.windowID;
      case SDL_TEXTINPUT: return event.text.windowID;
      case SDL_MOUSEMOTION: return event.motion.windowID;
      case SDL_MOUSEBUTTONDOWN:
      case SDL_MOUSEBUTTONUP: return event.button.windowID;
      case SDL_MOUSEWHEEL: return event.wheel.windowID;
      default: return 0;
    }
  }

  void HandleWindowEvent(const SDL_WindowEvent& event, HWND hwnd, TopLevel& top) {
    switch (event.event) {
      case SDL_WINDOWEVENT_EXPOSED:
      case SDL_WINDOWEVENT_RESTORED:
      case SDL_WINDOWEVENT_SHOWN:
        // The system lost what the window showed: the window repaints
        // and the whole picture goes to the screen again.  A minimised
        // window gets no WM_SIZE: its client area keeps its size.
        InvalidateRect(hwnd, nullptr, FALSE);
        top.presenter.MarkAllDirty();
        break;
      case SDL_WINDOWEVENT_SIZE_CHANGED: top.presenter.MarkAllDirty(); break;
      case SDL_WINDOWEVENT_MOVED: NoteWindowMoved(hwnd, event.data1, event.data2); break;
      case SDL_WINDOWEVENT_ENTER: ShowCursorOf(top); break;
      case SDL_WINDOWEVENT_FOCUS_GAINED: PostInputMessage(hwnd, WM_ACTIVATE, WA_ACTIVE, 0); break;
      case SDL_WINDOWEVENT_FOCUS_LOST: PostInputMessage(hwnd, WM_ACTIVATE, WA_INACTIVE, 0); break;
      default: break;
    }
  }

  void Handle(const SDL_Event& event) {
    if (const unsigned long destroyed = x11::DestroyedWindow(event); destroyed != 0) {
      XWindowDestroyed(destroyed);
      return;
    }
    const auto found = byId_.find(WindowIdOf(event));
    if (found == byId_.end()) {
      return;  // SDL_QUIT among them: the close box arrives per window
    }
    const HWND hwnd = found->second;
    TopLevel* top = Find(hwnd);
    if (event.type == SDL_WINDOWEVENT && top != nullptr) {
      HandleWindowEvent(event.window, hwnd, *top);
    }
    // A click gives a window the keyboard; a window manager does that
    // itself.  A modal window's loop gives it back to the modal window.
    if (event.type == SDL_MOUSEBUTTONDOWN && top != nullptr && SDL_GetKeyboardFocus() != top->window) {
      x11::FocusWithoutManager(top->window);
    }
    for (const InputMessage& m : translator_.Translate(event, hwnd)) {
      PostInputMessage(m.hwnd, m.message, m.wParam, m.lParam);
    }
  }

  std::map<HWND, TopLevel> windows_;
  std::map<Uint32, HWND> byId_;
  std::map<SDL_SystemCursor, SDL_Cursor*> cursors_;
  InputTranslator translator_;
  bool lost_ = false;
};

SdlBackend* g_sdl = nullptr;
void (*g_saveOnDisplayLost)() = nullptr;

// The way out when the program cannot go on to its shutdown: says why on
// stderr, turns window work into nothing, saves the player's work, ends a
// file chooser that is up (it would outlive us on the screen) and ends at
// once.  Exit handlers and static destructors would destroy windows and shut
// SDL down over a dead connection or a window that went.
[[noreturn]] void SaveAndEnd(const char* why) {
  if (g_sdl != nullptr) {
    g_sdl->MarkDisplayLost();
  }
  std::fprintf(stderr, "%s: %s; saving and ending\n", program_invocation_short_name, why);
  if (g_saveOnDisplayLost != nullptr) {
    g_saveOnDisplayLost();
  }
  ExitEndingTheChooser();
}

// Another client destroyed one of our windows.  SDL cannot take down a
// window that X no longer has: it asks X whether the window is mapped, may
// take the failed request's answer for "yes", and then waits for ever for X
// to report the window unmapped, where no termination signal reaches the
// program either.  So the program does not go on to its shutdown, which
// destroys the windows, but saves and ends here as when the display went.
// The connection is still there; a broken one met from now on only ends the
// program.
[[noreturn]] void EndOnWindowGone() {
  if (!x11::ClaimEnd()) {
    ExitEndingTheChooser();
  }
  SaveAndEnd("its window was closed from outside");
}

// Xlib's I/O error handler leads here (x11::InstallIOErrorHandler) on the GUI
// thread.
[[noreturn]] void EndOnDisplayLost() { SaveAndEnd("lost the connection to the display"); }

// A plain array: the backend starts while static objects are built, maybe
// before a std::string here would be.
char g_startFailure[256] = {};

// Remembers SDL's error text for the program's "no display" line: the
// reason a display could not be opened is what a player needs to see.
bool StartFailed() {
  std::snprintf(g_startFailure, sizeof g_startFailure, "%s", SDL_GetError());
  return false;
}

}  // namespace

void OnDisplayLost(void (*save)()) { g_saveOnDisplayLost = save; }

bool IsActive() { return g_sdl != nullptr && InstalledBackend() == g_sdl; }

const char* StartFailure() { return g_startFailure; }

// Called once while static objects are built (see install.cpp).
bool StartSdlBackend() {
  // SIGINT and SIGTERM must not become an SDL_QUIT event that nobody reads:
  // the program handles them itself (winapi/close_signals.h), or they end it
  // as usual.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  // A puzzle game waits for the player: the screen saver stays allowed
  // unless the program asks for it to be held off.
  SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
  // Our pixels are made in memory; copying them straight to the window is
  // cheaper than a GPU texture (which on many systems means a software GL
  // with threads of its own).
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  x11::InstallErrorHandler();
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    return StartFailed();
  }
  // Without a display SDL settles for a driver that shows nothing; the
  // headless backend does that job, unless someone asked for it by name.
  const char* driver = SDL_GetCurrentVideoDriver();
  const char* wanted = SDL_getenv("SDL_VIDEODRIVER");
  const bool invisible =
      driver != nullptr && (SDL_strcmp(driver, "offscreen") == 0 || SDL_strcmp(driver, "dummy") == 0);
  if (invisible && (wanted == nullptr || SDL_strcmp(wanted, driver) != 0)) {
    SDL_Quit();
    SDL_SetError("no video driver can open a display");
    return StartFailed();
  }
  // X's own events, for a window that another client destroys.
  SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
  g_sdl = new SdlBackend;  // lives as long as the process: static objects may still use the layer at exit
  InstallBackend(g_sdl);
  x11::InstallIOErrorHandler(&EndOnDisplayLost);
  {
    const std::lock_guard<std::mutex> lock(g_wakeMutex);
    g_sdlRunning = true;
  }
  device::InstallDeviceShell(g_sdl);
  // For a program that does not shut the backend down itself.
  std::atexit(&Shutdown);
  return true;
}

void Shutdown() {
  if (g_sdl == nullptr || SDL_WasInit(SDL_INIT_VIDEO) == 0) {
    return;
  }
  if (device::DeviceShell* previous = device::InstallDeviceShell(nullptr); previous != g_sdl) {
    device::InstallDeviceShell(previous);
  }
  {
    const std::lock_guard<std::mutex> lock(g_wakeMutex);
    g_sdlRunning = false;
  }
  g_sdl->Close();
  // Closes the display connections and the libraries SDL opened for them.
  SDL_Quit();
  if (InstalledBackend() == g_sdl) {
    headless::InstallHeadlessBackend();
  }
}

}  // namespace winapi::sdl
