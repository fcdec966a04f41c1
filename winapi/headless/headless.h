// The headless backend: no display, a clock the test sets, input that the
// test injects, window pixels the test reads, and message boxes and file
// dialogs answered by hooks.  Linking `winapi_headless` installs it.
//
// Typical use:
//   winapi::headless::Reset();                 // fresh layer for each test
//   winapi::headless::SetTickCount(1000);
//   winapi::headless::InjectClick(main, 10, 20);
//   while (GetMessageW(&msg, nullptr, 0, 0) > 0) { ... }
//   EXPECT_EQ(winapi::headless::Capture(main).At(10, 20), 0xFF000000u);
#pragma once

#include "winapi/backend.h"
#include "winapi/windows.h"

#include <functional>
#include <string>
#include <vector>

namespace winapi::headless {

// --- Clock ------------------------------------------------------------------
// GetTickCount answers this value.  A blocking GetMessageW with nothing to
// retrieve moves it forward to the next timer instead of sleeping.
void SetTickCount(DWORD milliseconds);
void AdvanceTickCount(DWORD milliseconds);

// Called by a blocking GetMessageW before the clock jumps: a scripted run
// injects its next input here.  Return true when something was queued (or
// the clock moved); false lets the clock jump to the next timer.  With no
// timer either, GetMessageW returns -1 rather than wait forever.
using IdleHook = std::function<bool()>;
IdleHook SetIdleHook(IdleHook hook);  // answers the hook it replaces

// --- Input ------------------------------------------------------------------
// Queued like real input, behind what is already posted.
void Inject(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// A key press or release, sent where the keyboard goes: the focus window when
// it belongs to `topLevel`, otherwise `topLevel`.
void InjectKey(HWND topLevel, int virtualKey, bool down);
// A typed character (as the text input of a real backend gives it).
void InjectChar(HWND topLevel, wchar_t character);
// Left button down and up at a client point of `topLevel`, delivered to the
// window under the point in that window's coordinates.
void InjectClick(HWND topLevel, int x, int y);

// --- Pixels -----------------------------------------------------------------
// What the window shows: its surface with its visible children over it.
Image Capture(HWND topLevel);

// --- Message boxes ----------------------------------------------------------
struct MessageBoxRecord {
  HWND owner;
  std::wstring text;
  std::wstring caption;
  UINT type;
};
// Answers message boxes; without a hook a box answers with its first button
// (IDOK for MB_OK and MB_OKCANCEL, IDYES for MB_YESNO, ...).
using MessageBoxHook = std::function<int(const MessageBoxRecord&)>;
void SetMessageBoxHook(MessageBoxHook hook);
// Every box shown since the last Reset, in order.
const std::vector<MessageBoxRecord>& MessageBoxes();

// --- File dialogs -----------------------------------------------------------
// Answers GetOpenFileNameW and GetSaveFileNameW with a path, a cancel or a
// failure (FileDialogResult::Chosen / Cancelled / Failed); without a hook a
// dialog is cancelled, as nobody is there to choose.  A hook may also run
// winapi::RunPathPrompt and script it through the idle hook.
using FileDialogHook = std::function<FileDialogResult(const FileDialogRequest&)>;
FileDialogHook SetFileDialogHook(FileDialogHook hook);  // answers the hook it replaces
// Every dialog asked for since the last Reset, in order.
const std::vector<FileDialogRequest>& FileDialogs();

// --- Shell ------------------------------------------------------------------
// Answers ShellExecuteW "open"; without a hook nothing opens and the call
// succeeds, as a desktop with a browser would.
using ShellOpenHook = std::function<bool(const ShellOpenRequest&)>;
void SetShellOpenHook(ShellOpenHook hook);
// Every target asked to be opened since the last Reset, in order.
const std::vector<ShellOpenRequest>& ShellOpens();

// --- Programs without a display ---------------------------------------------
// The clock follows real time from now on, and a blocking GetMessageW sleeps
// until the next timer is due instead of jumping to it, so a program that
// runs without a window (asked for, or with no display to open one on) idles
// without using the CPU.
// Reset goes back to the settable clock.
void UseRealClock();

// Makes the headless backend the installed one, keeping the layer's state.
void InstallHeadlessBackend();

// --- Screen and state -------------------------------------------------------
// GetSystemMetrics answers this size; 1024 by 768 after Reset.
void SetScreenSize(int width, int height);

// What the backend was told about top-level windows.
HCURSOR WindowCursor(HWND topLevel);
// Surface changes reported since the last Reset or TakeDrawnRect, as one
// bounding rectangle in the top-level's client coordinates.
RECT TakeDrawnRect(HWND topLevel);

// The whole layer back to its start: no windows, classes, messages, timers,
// GDI objects or strings (nothing is sent to any window procedure), clock 0,
// no hooks, no recorded boxes or dialogs, and the emulated handheld device
// as it starts (winapi::device::Reset).
void Reset();

}  // namespace winapi::headless
