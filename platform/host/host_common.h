// What the desktop and the handheld hosts share: the handlers around the
// program's run that show whatever escapes it, and the main window's
// procedure, which the handheld varies only in what its variant below says.
#pragma once

#include "winapi/windows.h"

#include <functional>
#include <string>

namespace host {

// The caption of the program's message boxes.
inline constexpr const wchar_t* message_caption = L"Kestrel Mill";

// Shows the message box of an error that ended the program's run.
void ShowFatalError(const std::wstring& text);

// Runs `run`; true when it returned.  What escapes it is shown with
// ShowFatalError and not thrown on: startup::CannotStart shows the text made
// for the player, a std::logic_error (std::out_of_range and
// std::invalid_argument among them) and a thrown character string show
// their text, anything else "Not enough memory or unknown error!".  Then
// the result is false: the program failed, and its exit status must say so.
bool RunShowingErrors(const std::function<void()>& run);

// Where the hosts' main window procedures differ.
struct WindowProcVariant {
  // WM_ACTIVATE's handling; none: the message is ignored (result 0).
  LRESULT (*activate)(HWND window, WPARAM wParam, LPARAM lParam) = nullptr;
  // Whether a subclassed control's owner must name this very control (the
  // program stops when it does not).
  bool check_subclassed_owner = true;
};

// The main window's procedure, also of every native control a virtual
// window subclasses.
LRESULT MainWindowProcOf(const WindowProcVariant& variant, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace host
