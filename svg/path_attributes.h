#pragma once

#include <agg_color_rgba.h>
#include <agg_math_stroke.h>
#include <agg_trans_affine.h>

namespace agg::svg {

// The drawing state of one stack entry or of one stored path.
struct path_attributes {
  unsigned index = 0;  // the path's start in the path storage
  rgba8 fill_color{0, 0, 0, 255};
  rgba8 stroke_color{0, 0, 0, 255};
  bool fill_flag = true;
  bool stroke_flag = false;
  line_join_e line_join = miter_join;
  line_cap_e line_cap = butt_cap;
  double miter_limit = 4.0;
  double stroke_width = 1.0;
  trans_affine transform;
  // Set when the path ended without a vertex.  Such a path shares its start
  // index with the next one, so it must not be drawn at all.
  bool no_geometry = false;
};

}  // namespace agg::svg
