// The desktop host: the program's entry, its one main window and that
// window's procedure.  Everything the player sees is drawn into the back
// buffer; the native window only shows that buffer and feeds messages in.
#pragma once

#include "platform/host/host_common.h"
#include "winapi/windows.h"

#include <string>

namespace desktop {

// The class of the main window and the caption of the program's message
// boxes.
inline constexpr const wchar_t* main_window_class = L"KestrelMill App";
inline constexpr const wchar_t* message_caption = host::message_caption;
// The string resource of the main window's title.
inline constexpr UINT title_string_id = 2000;
// The paint timer on the main window.
inline constexpr UINT_PTR paint_timer_id = 1;
inline constexpr UINT paint_timer_period_ms = 50;

}  // namespace desktop

// Makes the main window, starts the paint timer, runs the application and
// shows whatever exception escapes it.  The command line is not read.
// Returns 0 after a run that ended well; non-zero when the window could not
// be made or an exception ended the run.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous_instance, char* command_line, int show_command);

// Registers the window class and creates, places (a 100 x 100 client area in
// the middle of the screen) and shows the main window with "Loading..." in
// it.  False when the window cannot be created.
bool InitInstance(HINSTANCE instance, int show_command);

// The procedure of the main window and of every native control a virtual
// window subclasses.
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
