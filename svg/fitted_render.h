#pragma once

#include "svg/path_renderer.h"

#include <agg_trans_affine.h>
#include <tinyxml.h>

namespace agg::svg {

// A 32-bit image in memory: blue, green, red, alpha per pixel, colours
// premultiplied by alpha.  `pixels` is the lowest address; with a negative
// stride row 0 is the last row in memory (a bottom-up bitmap), as AGG's
// rendering buffer reads it.
struct bgra_view {
  unsigned char* pixels = nullptr;
  int width = 0;
  int height = 0;
  int stride = 0;  // bytes from one row to the next
};

// The matrix that scales the box (min_x..max_x, min_y..max_y) uniformly to
// fit width x height and centres it.  The scale is the smaller of the two
// ratios; a box without width or height along one axis is fitted by the
// other.  False when the box is empty or has no size at all: it cannot be
// fitted.
bool fit_box_matrix(double min_x, double max_x, double min_y, double max_y, int width, int height,
                    trans_affine& matrix);

// Clears the image to transparent, then renders the drawing scaled and
// centred on its first path's box.  When the box cannot be fitted the image
// stays transparent and the result is false.  An image without pixels is
// left alone.
bool render_fitted(path_renderer& drawing, const bgra_view& image);

// Parses `node` (a whole document or one element) into a fresh renderer and
// renders it as render_fitted does.  SVG errors leave by agg::svg::exception
// before the image is touched.
bool render_svg_fitted(const TiXmlNode& node, const bgra_view& image);

// Renders the drawing with `matrix` over what the image holds already.
void render_over(path_renderer& drawing, const bgra_view& image, const trans_affine& matrix, double opacity = 1.0);

}  // namespace agg::svg
