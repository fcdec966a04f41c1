// Our own modal path prompt: the file dialog of last resort, for a desktop
// without a file chooser program.  It is a small window of the layer itself
// — a "File name:" line, a single-line EDIT control holding the suggested
// path, OK and Cancel — run in a nested message loop, so it works on any
// backend and is tested headless like the rest of the core.  Return or OK
// accepts, Escape, Cancel or the close box cancels.  Saving over an existing
// file asks first; with OFN_FILEMUSTEXIST, opening a file that is not there
// says so; a folder is refused.  Either way the prompt stays open.
//
// While it runs, keyboard and mouse input for other windows is dropped (they
// still paint and their timers run), as under a modal dialog.  A WM_QUIT
// cancels the prompt and is posted again for the caller's loop.
//
// A browsing dialog was the alternative; typing a path is all the game
// needs (one file to open or to save), and it keeps the unit small.
#pragma once

#include "winapi/backend.h"

#include <string>

namespace winapi {

FileDialogResult RunPathPrompt(const FileDialogRequest& request);

// The absolute path a typed text names: "~" and "~/..." start at `home`,
// other relative paths at `currentFolder`.  Empty stays empty.
std::wstring ResolveTypedPath(const std::wstring& typed, const std::wstring& home, const std::wstring& currentFolder);

}  // namespace winapi
