// The root window controller: it serves the ordinary forms for the whole run
// and must be current before any window is made.  A host program includes
// this header in its entry file; the definition below then builds the root
// during static initialisation, before WinMain, and every later controller
// (a dialog's) stacks on it.  Test programs leave it out and build their own.
#pragma once

#include "notus/platform/ownerdrawWin32/virtual_window_controller.h"

namespace notus::impl::details {

inline virtual_window_controller root_window_controller;

}  // namespace notus::impl::details
