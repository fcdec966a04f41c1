// Our own modal path prompt: the file dialog of last resort, for a desktop
// without a file chooser program.  It is a small window of the layer itself
// — its title, a "File name:" line, a single-line EDIT control holding the
// suggested path, OK and Cancel — run in a nested message loop, so it works
// on any backend and is tested headless like the rest of the core.  Return
// or OK accepts, Escape, Cancel or the close box cancels.  Tab and Shift+Tab
// move the keyboard among the entry, OK and Cancel; Return or Space presses
// the button that has it, which shows a focus ring.  Saving over an existing
// file asks first; with OFN_FILEMUSTEXIST, opening a file that is not there
// says so; a folder is refused.  Either way the prompt stays open.
//
// The prompt is owned by the request's owner (its top-level window), sits
// centred on it and inside the screen, is laid out to fit it, down to the
// smallest screen, and grows with the game's text on a large one.  While it
// runs, keyboard and mouse input for other windows is dropped (they still
// paint and their timers run), as under a modal dialog, and a press of a
// mouse button on one of them brings the prompt to the front.  A WM_QUIT
// cancels the prompt and is posted again for the caller's loop.
//
// A browsing dialog was the alternative; typing a path is all the game
// needs (one file to open or to save), and it keeps the unit small.
#pragma once

#include "winapi/backend.h"

#include <string>

namespace winapi {

// What the prompt says, in the program's language.  The layer knows no
// language: a program sets them before it asks for a file.  Until then they
// are English.  A message is shown after the quoted path and a blank.
struct PathPromptTexts {
  std::wstring label = L"File name:";
  std::wstring ok = L"OK";
  std::wstring cancel = L"Cancel";
  std::wstring isFolder = L"is a folder. Type the name of a file.";
  std::wstring exists = L"already exists.";
  std::wstring replace = L"Do you want to replace it?";
  std::wstring notFound = L"was not found.";
};
void SetPathPromptTexts(PathPromptTexts texts);

FileDialogResult RunPathPrompt(const FileDialogRequest& request);

// A program whose screen a chooser program of the system does not fit, or
// that must speak its own language there, asks for the prompt at start-up:
// every file dialog's request then says so (FileDialogRequest::ownPrompt).
void UseOwnFilePrompt(bool own);
bool UsesOwnFilePrompt();

// Where the prompt's parts go, in its client area, for a room (the owner's
// client area, or the screen) and the extents of its title, label and button
// texts.  The title stands on a line of its own above the label, so that
// Open and Save as differ without a window manager to show the caption; an
// empty title takes no line.  Widths and spacing grow with text taller than
// the default (core::ScaledToText).
struct PathPromptLayout {
  SIZE size{};
  RECT title{};
  RECT label{};
  RECT entry{};
  RECT ok{};
  RECT cancel{};
  int frame = 1;  // the width of the prompt's, the entry's and the buttons' frames
};
PathPromptLayout LayoutPathPrompt(SIZE room, SIZE titleText, SIZE labelText, SIZE okText, SIZE cancelText);

// The absolute path a typed text names: "~" and "~/..." start at `home`,
// other relative paths at `currentFolder`.  Empty stays empty.
std::wstring ResolveTypedPath(const std::wstring& typed, const std::wstring& home, const std::wstring& currentFolder);

}  // namespace winapi
