// What a render of a drawing will cost before it is made.  The rasteriser
// keeps a cell for every pixel an outline passes through and holds on to
// them for the whole render, so a few kilobytes of thick, long strokes can
// ask for tens of megabytes.  A drawing from outside the program (the
// downloaded splash logo) is measured here first and refused when it would
// take more than its budget.
#pragma once

#include "svg/path_renderer.h"

#include <agg_trans_affine.h>

#include <cstddef>

namespace agg::svg {

// An upper bound on the rasteriser cells that rendering the drawing with
// `matrix` into a width x height image takes: every edge of every fill and
// stroke outline the render would feed the rasteriser, clipped to the image,
// counted as the pixels it crosses.  Counting stops once the bound passes
// `limit` (the result is then above it), so measuring a hostile drawing
// costs no more than rendering one within the limit.  A coordinate that is
// not finite counts as over the limit.
std::size_t render_cells(path_renderer& drawing, const trans_affine& matrix, int width, int height, std::size_t limit);

}  // namespace agg::svg
