// The seam between the Win32 core and the outside world.
//
// The core (library `winapi`) owns windows, the queue, timers and pixels; it
// never talks to a display.  A backend library implements `Backend` and
// installs one instance of it.  Backend libraries install themselves while
// static objects are built (their CMake target forces the installing object
// file into every program that links it), so a program only has to link
// `winapi` plus one backend.  `InstallBackend` may also be called directly,
// e.g. by a test that wants its own backend; it returns the previous one.
//
// Everything here runs on the GUI thread, like the rest of the layer.
#pragma once

#include "winapi/windows.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace winapi {

// What a program asks of an open or save dialog, taken from its
// OPENFILENAMEW by the core.
struct FileFilter {
  std::wstring name;                   // "Text"
  std::vector<std::wstring> patterns;  // {"*.TXT"}; "*.*" stands for every file
};

struct FileDialogRequest {
  HWND owner = nullptr;
  bool save = false;
  std::wstring title;  // the caller's, or "Open" / "Save As"
  std::vector<FileFilter> filters;
  std::size_t filterIndex = 0;  // the filter shown first, 0-based, within `filters` when there are any
  // What the dialog starts with: the suggested file, the initial folder
  // (ending in '/'), or both joined; may be empty.
  std::wstring initialPath;
  DWORD flags = 0;  // OFN_*
  // The layer's own path prompt, never a chooser program of the system
  // (see UseOwnFilePrompt in path_prompt.h).
  bool ownPrompt = false;
};

// How the dialog ended: the chosen path (both real backends give it
// absolute), or the CDERR_* or FNERR_* code of a failure.
struct FileDialogResult {
  enum class Outcome { chosen, cancelled, failed };
  Outcome outcome = Outcome::cancelled;
  std::wstring path;
  DWORD error = 0;

  static FileDialogResult Chosen(std::wstring path) { return {Outcome::chosen, std::move(path), 0}; }
  static FileDialogResult Cancelled() { return {Outcome::cancelled, {}, 0}; }
  static FileDialogResult Failed(DWORD error) { return {Outcome::failed, {}, error}; }
};

// What ShellExecuteW asks the backend to open.
struct ShellOpenRequest {
  HWND owner = nullptr;
  std::wstring target;
  std::wstring parameters;
  int showCommand = 0;
};

class Backend {
 public:
  virtual ~Backend() = default;

  // Milliseconds since program start; wraps after 49.7 days like Win32.
  virtual DWORD TickCount() = 0;

  // Called by a blocking GetMessageW when nothing can be retrieved.  Waits
  // at most `timeoutMs` (INFINITE: no timer is pending) for input, posting
  // whatever arrives with PostInputMessage.  Returns false when nothing can
  // ever arrive, so that GetMessageW reports an error instead of hanging.
  virtual bool WaitForInput(DWORD timeoutMs) = 0;

  // Called by PeekMessageW: post pending input without waiting.
  virtual void PollInput() = 0;

  // A top-level window came, went, changed size, position, visibility,
  // caption or class cursor.  The core has already updated its own state.
  virtual void WindowCreated(HWND hwnd) = 0;
  virtual void WindowDestroyed(HWND hwnd) = 0;
  virtual void WindowPlaced(HWND hwnd) = 0;
  virtual void WindowShown(HWND hwnd, bool visible) = 0;
  virtual void WindowTextChanged(HWND hwnd) = 0;
  virtual void WindowCursorChanged(HWND hwnd, HCURSOR cursor) = 0;

  // Pixels of a top-level window (or of one of its children, composited
  // above it) changed inside `rect`, in the top-level's client coordinates.
  virtual void SurfaceChanged(HWND topLevel, const RECT& rect) = 0;

  // A modal message box; returns the IDxxx of the button chosen.
  virtual int MessageBox(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) = 0;

  // A modal open or save dialog.  The core checks the caller's structure and
  // writes the answer back into it.
  virtual FileDialogResult FileDialog(const FileDialogRequest& request) = 0;

  // ShellExecuteW "open" of `target` (an address or a file); true when the
  // system took it.
  virtual bool OpenExternal(const ShellOpenRequest& request) = 0;

  virtual SIZE ScreenSize() = 0;

  // The bounds of the display that holds `point`, in screen coordinates;
  // the first display's when none does.
  virtual RECT DisplayAreaAt(POINT point) = 0;
};

// Installs `backend` (not owned) and returns the one it replaces.
Backend* InstallBackend(Backend* backend);

// The installed backend, or null while none is.
Backend* InstalledBackend();

// The installed backend; stops the program with a message when none is.
Backend& CurrentBackend();

// --- Services of the core for backends -------------------------------------

// Queues an input message behind the posted ones, stamped with the tick count.
void PostInputMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The window that keyboard input for `topLevel` goes to: the focus window
// when it is `topLevel` or one of its descendants, otherwise `topLevel`.
HWND KeyboardTarget(HWND topLevel);

// The deepest visible window of `topLevel` under the client point.
HWND WindowFromClientPoint(HWND topLevel, POINT point);

// A picture of what a top-level window shows: its own surface with its
// visible children drawn over it, in z-order.  Pixels are 0xAARRGGBB words
// (B,G,R,A bytes in memory), top row first.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;

  std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};
Image ComposeWindow(HWND topLevel);

// The same picture, only inside `area` (client coordinates), written into a
// top-down image the size of the window's client area whose rows lie
// `pitchBytes` apart, in the same pixel layout.
void ComposeWindowArea(HWND topLevel, const RECT& area, void* pixels, std::ptrdiff_t pitchBytes);

// A window's stored text, read without sending it any message.
std::wstring WindowCaption(HWND hwnd);

// The top-level window that `topLevel` was made for, when it was made with a
// parent and that window still exists; otherwise null.  Known by the time
// the backend hears of the window (WindowCreated).
HWND OwnerOf(HWND topLevel);

// The system moved a top-level window (the user dragged it): its rectangle
// follows, and the backend is not told again.
void NoteWindowMoved(HWND topLevel, int x, int y);

// The standard cursor id (32512 for IDC_ARROW, ...) of a cursor handle made
// by LoadCursorW, or 0.
unsigned StandardCursorId(HCURSOR cursor);

// Destroys every window, forgets classes, queued messages, timers, the quit
// request, a termination request, GDI objects and the string table.  Tests
// call it between cases.
void ResetState();

}  // namespace winapi
