// Our own message box: MessageBoxW drawn as a small modal window of the
// layer, run in a nested message loop like the path prompt (path_prompt.h),
// so that it fits any screen the program runs on, speaks the program's
// language and ends with every other loop when the program is asked to
// close.  A backend that shows windows runs it for MessageBoxW.
//
// The box is owned by the caller's top-level window and sits centred on it
// (on the screen without an owner), inside the screen.  Its text wraps
// between words, and inside a word only where one word is wider than the
// box; the box grows in height to show all of it, up to the screen's height,
// and with the game's text on a large screen.  While it runs,
// keyboard and mouse input for other windows is dropped (they still paint
// and their timers run), and a press of a mouse button on one of them
// brings the box to the front.
//
// Return or Space presses the focused button (the first one at the start);
// Tab and the arrow keys move the focus.  Escape and the close box answer
// Cancel, or No, when the box has one, and otherwise its only button.  A
// WM_QUIT ends the box with that same answer, writes its text to stderr (the
// player never read it) and is posted again for the caller's loop.
#pragma once

#include "winapi/windows.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace winapi {

// The buttons' texts, in the program's language.  The layer knows no
// language: a program sets them when it loads its texts.  Until then they
// are English.
struct MessageBoxTexts {
  std::wstring ok = L"OK";
  std::wstring cancel = L"Cancel";
  std::wstring yes = L"Yes";
  std::wstring no = L"No";
};
void SetMessageBoxTexts(MessageBoxTexts texts);
const MessageBoxTexts& MessageBoxTextsInUse();

// A box the player cannot have read (its loop ended on a WM_QUIT, no window
// could show it, or there is no display): its caption and text go to
// stderr, as one line "[message box] caption: text".
void ReportUnseenMessageBox(const std::wstring& caption, const std::wstring& text);

// The buttons of a box of `type` (MB_OK, MB_OKCANCEL, MB_YESNO or
// MB_YESNOCANCEL; any other type shows OK alone), as IDOK, IDCANCEL, ...
// in the order they stand, and the answer of Escape and the close box.
std::vector<int> MessageBoxButtons(UINT type);
int MessageBoxEscapeAnswer(UINT type);

// Runs the box and answers the IDxxx of the button chosen.  `shown` tells
// whether the backend could put the box's window on the screen; when it
// cannot, the box is not run and the answer is empty.
std::optional<int> RunMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type,
                                 const std::function<bool(HWND box)>& shown = nullptr);

// The text as lines no wider than `width` by `measure` (pixels of a line),
// unless a single character is: broken at line ends (CR LF once), between
// words (runs of spaces count as one; no line starts or ends with one), and
// inside a word only where the word alone is wider than `width`.  There a
// piece is as long as fits, or ends just after one of the characters of
// `breakAfter` where that keeps more than half of it.  Each line end gives
// a line, so an empty text gives one empty line.  The box cuts where a
// piece fits; the framework's dialogs (message_lines.h) wrap with it too.
using TextWidth = std::function<int(const std::wstring& line)>;
std::vector<std::wstring> WrapMessageText(const std::wstring& text, int width, const TextWidth& measure,
                                          std::wstring_view breakAfter = {});

// Where the box's parts go, in its client area, for a room (the owner's
// client area, or the screen), the screen it may grow to, the text and the
// buttons' texts.  Its widths and spacing grow with text taller than the
// default (core::ScaledToText).  A text the screen cannot hold is cut after
// the lines that fit, and the last of them ends in "…".
struct MessageBoxLayout {
  SIZE size{};
  std::vector<std::wstring> lines;
  RECT text{};  // the lines, one under another, a line height apart
  int lineHeight = 0;
  std::vector<RECT> buttons;  // in the order of the texts given
  int frame = 1;              // the width of the box's and the buttons' frames
};
MessageBoxLayout LayoutMessageBox(SIZE room, SIZE screen, const std::wstring& text,
                                  const std::vector<std::wstring>& buttonTexts, const TextWidth& measure,
                                  int lineHeight);

}  // namespace winapi
