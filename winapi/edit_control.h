// The layer's own "EDIT" window class: a single-line text-entry control with
// a caret, typing (WM_CHAR, Backspace included), the Left, Right, Home, End
// and Delete keys, a click that places the caret and takes the focus, and
// WM_SETTEXT / WM_GETTEXT / WM_GETTEXTLENGTH.  It draws itself into its own
// surface — white, black text in the default font, no border — whenever its
// text, caret or focus changes, so its pixels can be read through GetDC and
// the backend shows every change without the owner repainting.  Text wider
// than the control scrolls horizontally to keep the caret in view.
//
// It is a system class: it needs no registration and outlives ResetState.
#pragma once

#include "winapi/window_registry.h"

#include <memory>

namespace winapi::core {

std::shared_ptr<WindowClass> EditWindowClass();

// Space between the client edge and the text, on the left and the right.
inline constexpr int kEditMargin = 2;

}  // namespace winapi::core
