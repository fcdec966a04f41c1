// The handheld host: the program's entry, its one main window covering the
// device's screen, that window's procedure and the paint timer.  Only one
// instance runs per user and settings folder: a second start raises the
// first one's window and ends before it has made anything.  It shares the
// desktop host's run handlers and window procedure (host_common.h); what
// differs is here.
#pragma once

#include "winapi/windows.h"

#include <string>

namespace handheld {

// The class and title that a second start looks for.
inline constexpr const wchar_t* main_window_class = L"RarAzade";
inline constexpr const wchar_t* main_window_title = L"Games";
// The paint timer on the main window.  Slower than the desktop's: the
// device has less to spare, and the idle timer is reset on every tick.
inline constexpr UINT_PTR paint_timer_id = 1;
inline constexpr UINT paint_timer_period_ms = 100;
// SHFullScreen on activation: task bar, soft-keyboard button and start icon
// hidden while the program is in front, shown again when it is not.
inline constexpr DWORD shell_hidden_state = SHFS_HIDETASKBAR | SHFS_HIDESIPBUTTON | SHFS_HIDESTARTICON;
inline constexpr DWORD shell_shown_state = SHFS_SHOWTASKBAR | SHFS_SHOWSIPBUTTON | SHFS_SHOWSTARTICON;

// What the program sets up before WinMain: settings in "settings/" beside
// the program, the emulated screen of TAVLIN_HANDHELD_SCREEN (full screen
// when it is unset or refused, but a window of the smallest screen's sides
// on a monitor under them), the instance lock's scope, the settings
// folder, found without creating it (a second start writes nothing), the
// layer's own file prompt for every file dialog, and the report of a failed
// save.
void PrepareDevice();

// Shows the soft keyboard (text input) while a native text-entry control
// exists: on before one is made, off after one is destroyed, counted.
void InstallSoftKeyboard();

// Whether InitInstance found a running instance and raised it: the one
// false from it that is no failure.
bool RaisedRunningInstance();

}  // namespace handheld

// Seeds rand(), makes the main window (unless another instance runs), starts
// the paint timer, runs the application and shows whatever exception
// escapes it.  Returns 0, also when another instance was raised instead;
// non-zero when the window could not be made or an exception ended the run.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous_instance, char* command_line, int show_command);

// Raises a running instance and returns false before making anything; else
// registers the class and creates and shows the main window at the screen's
// size, with the soft keyboard's text input off.  False also when the window
// cannot be created.
bool InitInstance(HINSTANCE instance, int show_command);

// The desktop's procedure, except that activation hides or shows the shell
// around the program and a subclassed control's owner is not checked.
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The desktop's paint pass, then the device's idle timer reset (the device
// would otherwise dim and suspend while the player thinks) and the raise
// requests of later starts.
void CALLBACK PaintTimerProc(HWND window, UINT message, UINT_PTR id, DWORD time);
