// What a render of a drawing will cost before it is made.  Each fill and
// each stroke is a pass of its own: the rasteriser walks the outline's
// edges into cells, one for every pixel an edge passes through, and the
// sweep then blends every pixel between a row's first and last cell.  A
// few kilobytes can ask for a lot of either: thick, long strokes for tens
// of megabytes of cells, hundreds of overlapping full-size shapes for
// hundreds of millions of blended pixels.  A drawing from outside the
// program (the downloaded splash logo) is measured here first and refused
// when its work would be more than its budget.
#pragma once

#include "svg/path_renderer.h"

#include <agg_trans_affine.h>

#include <cstddef>
#include <optional>

namespace agg::svg {

// What one cell costs against one swept pixel: a cell is stored, sorted
// and summed before any of its pixels is blended, and a pass with many of
// them touches fresh memory.  Timed, a cell of a large stroke took up to
// about 24 times a half-transparent blended pixel (bench/logo_bench), so the
// measure bounds the time of either kind of work, and the cells (and so
// the memory) a render within a budget takes.
inline constexpr std::size_t cell_work = 24;

// An upper bound on the work of rendering the drawing with `matrix` into a
// width x height image, summed over every fill and stroke the render
// makes: cell_work for each cell its outline may leave (every edge clipped
// to the image, counted as the pixels it crosses), plus each pixel its
// sweep may touch (on every row, the pixels from the leftmost to the
// rightmost point of the outline on that row).  Nothing once the bound
// passes `limit`: measuring stops there, so measuring a hostile drawing
// costs no more than rendering one within the limit.  A coordinate that is
// not finite counts as over any limit.
std::optional<std::size_t> render_work(path_renderer& drawing, const trans_affine& matrix, int width, int height,
                                       std::size_t limit);

}  // namespace agg::svg
