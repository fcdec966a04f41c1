// The global invalid rectangle: areas that must be painted again although no
// window covering them is dirty (a window that moved away, was hidden or
// destroyed, a resized client area).  The paint pass reads and clears it.
#pragma once

#include "winapi/windows.h"

namespace notus::impl::details {

// Widens the invalid rectangle to take in r; an empty r changes nothing.
void add_invalid_rect(const RECT& r);

// All zero when nothing is invalid.
RECT invalid_rect();

void clear_invalid_rect();

}  // namespace notus::impl::details
