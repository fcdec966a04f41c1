// The core's device contexts and bitmaps.
//
// A DC is a reference to pixels: a DIB section selected into a memory DC, a
// window's own surface (GetDC, BeginPaint), or the screen, which only
// measures.  Drawing functions ask for the DC's target, draw within its
// clip, and report what they wrote.
#pragma once

#include "winapi/pixels.h"
#include "winapi/windows.h"

#include <optional>

namespace winapi::core {

struct DrawTarget {
  PixelView view;
  RECT clip;    // in the view's coordinates, within its bounds
  HWND window;  // the window whose surface this is, or null
};

// Null when the DC is invalid or has no pixels (the screen, a memory DC
// without a bitmap, the DC of a window that is gone).
std::optional<DrawTarget> TargetOf(HDC hdc);
bool IsValidDC(HDC hdc);
int BackgroundModeOf(HDC hdc);
// The line height of the font selected into the DC, or 0 for the layer's
// default font (the stock font, or a DC that is not valid).
int FontLineHeightOf(HDC hdc);

// Tells the backend which pixels of a window surface changed.
void ReportDrawn(const DrawTarget& target, const RECT& written);

void ResetGdiObjects();

}  // namespace winapi::core
