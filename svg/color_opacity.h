#pragma once

#include <agg_color_rgba.h>

namespace agg::svg {

// Sets the alpha from an opacity clamped to 0..1 (rounded to the nearest
// step).  rgba8::opacity of the packaged AGG stores 1 instead of 255 for an
// opacity above 1, and converts NaN unchecked; this one does neither.
inline void set_opacity(rgba8& color, double opacity) {
  if (!(opacity > 0.0))
    opacity = 0.0;
  else if (opacity > 1.0)
    opacity = 1.0;
  color.a = static_cast<int8u>(opacity * 255.0 + 0.5);
}

}  // namespace agg::svg
