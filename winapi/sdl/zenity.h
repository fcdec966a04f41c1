// The desktop's file chooser for GetOpenFileNameW / GetSaveFileNameW, through
// the `zenity` program when it is installed (the SDL backend falls back to
// our own path prompt otherwise).
//
// zenity runs as a child process started with posix_spawnp and an argument
// vector, never through a shell, so a title or a path with blanks, quotes
// or '$' reaches it unchanged.  It prints the chosen path in UTF-8 on its
// standard output and ends with status 0; 1 means cancelled (or closed);
// anything else is a failure.  Building the arguments and reading the result
// are pure functions, tested without zenity.
#pragma once

#include "winapi/backend.h"
#include "winapi/sdl/running_chooser.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace winapi::sdl {

// The arguments after the program name.
std::vector<std::string> ZenityArguments(const FileDialogRequest& request);

// A Win32 pattern as a GTK file pattern: letters match either case, as file
// patterns do on the system the game was made for ("*.TXT" finds "a.txt"),
// and "*.*", which there means every file, becomes "*".
std::string ZenityPattern(std::wstring_view pattern);

// The answer of a zenity that ended with `exitCode` (-1: killed by a signal)
// after printing `output`.
FileDialogResult ZenityResult(int exitCode, std::string_view output);

// Runs zenity, found on PATH, and waits for it, calling `whileWaiting`
// about ten times a second meanwhile (the backend keeps its windows drawn).
// Nothing when there is no zenity to run.  When a signal asks the program to
// close meanwhile (TerminationRequested), zenity gets SIGTERM (SIGKILL a
// second later if it is still there) and the dialog is cancelled; so it is
// when EndRunningChooser ended it.  An exception from `whileWaiting` ends
// zenity the same way on its way through.
std::optional<FileDialogResult> RunZenity(const FileDialogRequest& request, const std::function<void()>& whileWaiting);

}  // namespace winapi::sdl
