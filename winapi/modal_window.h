// What the layer's own modal windows (the message box, message_box.h, and
// the path prompt, path_prompt.h) have in common: their window classes are
// system classes, they sit in their owner's window (the screen without
// one) and inside the screen, they measure text on the screen and grow with
// it, they share colours and framed buttons, and they run in a nested
// message loop.  While that loop runs, keyboard and mouse input for other
// windows is dropped (they still paint and their timers run), and a press of
// a mouse button on one of them brings the modal window to the front.  A
// WM_QUIT ends the loop and is posted again for the caller's loop once the
// modal window is gone.
#pragma once

#include "winapi/pixels.h"
#include "winapi/windows.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace winapi::core {

// Adds a system class, like EDIT: it outlives ResetState and needs no
// program to register it.  Once for each class.
void AddModalWindowClass(LPCWSTR name, WNDPROC proc);

// The owner's window, or the screen without one.
RECT ModalRoom(HWND owner);

// The display a modal window over `room` goes on: the one that holds the
// room's centre, in screen coordinates.
RECT ModalDisplay(const RECT& room);

// Where a modal window of `size` goes, in screen coordinates: centred on
// its room (ModalRoom), then moved as little as needed to lie inside its
// display (ModalDisplay), whose top-left corner it takes when it is larger.
// The owner may lie partly off the display; the window the player must
// answer may not.
POINT PlaceModalWindow(const RECT& room, SIZE size, const RECT& display);

// The extent of a text in the screen's font.
SIZE ScreenTextExtent(const std::wstring& text);

// A length of a modal window's layout, chosen for lines of the layer's
// default height, at text whose lines are `lineHeight` pixels high: in
// proportion where the game's text is larger (full screen on a large
// monitor), so that buttons and margins keep their look around it; as it is
// where the text is smaller, since a small screen has no room to spare.
int ScaledToText(int pixels, int lineHeight);

// The colours: the window's face, the frames, a button's face.
constexpr std::uint32_t kModalFace = 0xFFE6E6E6u;
constexpr std::uint32_t kModalFrame = 0xFF5A5A5Au;
constexpr std::uint32_t kModalButton = 0xFFF7F7F7u;

// `r` filled with `fill` inside a frame `thickness` pixels wide.
void DrawModalFrame(const PixelView& view, const RECT& r, std::uint32_t fill, int thickness = 1);

// The mark of the button that has the keyboard, drawn over its face before
// its text: a ring twice the frame's `thickness` wide, as far inside the
// button's edge, in the colour of the game's own focus ring.
constexpr std::uint32_t kModalFocus = 0xFFFF9B00u;
void DrawModalFocus(const PixelView& view, const RECT& button, int thickness = 1);

// Whether the point lies in the part `r` (its right and bottom edges
// outside).
bool PartContains(const RECT& r, int x, int y);

// How a modal loop ended: `quitCode` holds the code of a WM_QUIT, and
// `failed` tells that GetMessageW failed.  Neither when `finished` said so.
struct ModalLoopEnd {
  std::optional<int> quitCode;
  bool failed = false;
};

// Runs the nested loop of `window` until `finished` answers true.  Its own
// messages go first to `handled` (keys the window acts on itself, which are
// then not dispatched); the rest are translated and dispatched.  When the
// loop ends it destroys `window`, gives the focus back to `previousFocus`
// when that window still stands, and posts a WM_QUIT it took again.  An
// exception that leaves the loop (a timer procedure's, say) destroys the
// window and gives the focus back too: the window's procedure reads state on
// its caller's stack, which the exception is about to end.
ModalLoopEnd RunModalLoop(HWND window, HWND previousFocus, const std::function<bool()>& finished,
                          const std::function<bool(const MSG& msg)>& handled);

}  // namespace winapi::core
