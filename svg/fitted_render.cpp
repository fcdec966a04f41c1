#include "svg/fitted_render.h"

#include "svg/svg_parser.h"

#include <agg_pixfmt_rgba.h>
#include <agg_rasterizer_scanline_aa.h>
#include <agg_renderer_base.h>
#include <agg_renderer_scanline.h>
#include <agg_rendering_buffer.h>
#include <agg_scanline_u.h>

namespace agg::svg {

namespace {

bool has_pixels(const bgra_view& image) { return image.pixels != nullptr && image.width > 0 && image.height > 0; }

}  // namespace

bool fit_box_matrix(double min_x, double max_x, double min_y, double max_y, int width, int height,
                    trans_affine& matrix) {
  const double dx = max_x - min_x;
  const double dy = max_y - min_y;
  if (!(dx >= 0.0 && dy >= 0.0) || (dx == 0.0 && dy == 0.0)) return false;

  // The smaller ratio wins; a tie keeps the height's.  A zero extent
  // stands for an infinite ratio, which never wins.
  double scale;
  if (dy == 0.0)
    scale = width / dx;
  else if (dx == 0.0)
    scale = height / dy;
  else
    scale = (height / dy > width / dx) ? width / dx : height / dy;

  matrix.reset();
  matrix *= trans_affine_translation(-(min_x + 0.5 * dx), -(min_y + 0.5 * dy));
  matrix *= trans_affine_scaling(scale, scale);
  matrix *= trans_affine_translation(0.5 * width, 0.5 * height);
  return true;
}

void render_over(path_renderer& drawing, const bgra_view& image, const trans_affine& matrix, double opacity) {
  if (!has_pixels(image)) return;
  rendering_buffer buffer(image.pixels, image.width, image.height, image.stride);
  pixfmt_bgra32 pixels(buffer);
  renderer_base<pixfmt_bgra32> base(pixels);
  renderer_scanline_aa_solid<renderer_base<pixfmt_bgra32>> solid(base);
  // Clipping in doubles keeps far-away coordinates from overflowing the
  // rasteriser's integer cells.
  rasterizer_scanline_aa<rasterizer_sl_clip_dbl> ras;
  scanline_u8 sl;
  drawing.render(ras, sl, solid, matrix, 0, 0, image.width + 1, image.height + 1, opacity);
}

bool render_fitted(path_renderer& drawing, const bgra_view& image) {
  if (!has_pixels(image)) return false;
  {
    rendering_buffer buffer(image.pixels, image.width, image.height, image.stride);
    pixfmt_bgra32 pixels(buffer);
    renderer_base<pixfmt_bgra32> base(pixels);
    base.clear(rgba8(0, 0, 0, 0));
  }
  drawing.expand(0.0);
  double min_x, max_x, min_y, max_y;
  drawing.bounding_rect(min_x, max_x, min_y, max_y);
  trans_affine matrix;
  if (!fit_box_matrix(min_x, max_x, min_y, max_y, image.width, image.height, matrix)) return false;
  render_over(drawing, image, matrix);
  return true;
}

bool render_svg_fitted(const TiXmlNode& node, const bgra_view& image) {
  path_renderer drawing;
  parser reader(drawing);
  reader.parse(node);
  return render_fitted(drawing, image);
}

}  // namespace agg::svg
