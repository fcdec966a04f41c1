// A COLORREF (0x00BBGGRR) and a separate alpha as the AGG colour the
// renderers take.
#pragma once

#include "winapi/windows.h"

#include <agg_color_rgba.h>

namespace notus::gdi {

inline agg::rgba8 agg_colour(COLORREF colour, unsigned char alpha) {
  return agg::rgba8(GetRValue(colour), GetGValue(colour), GetBValue(colour), alpha);
}

}  // namespace notus::gdi
