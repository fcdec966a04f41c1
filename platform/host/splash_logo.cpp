#include "platform/host/splash_logo.h"

#include "svg/fitted_render.h"
#include "svg/render_budget.h"
#include "svg/svg_parser.h"

#include <tinyxml.h>

#include <cmath>

namespace host {

bool DrawFittedLogo(notus::impl::details::GDIBuffer& buffer, const TiXmlNode& document) {
  agg::svg::path_renderer paths;
  agg::svg::parser reader(paths);
  reader.parse(document);
  double min_x = 0, max_x = 0, min_y = 0, max_y = 0;
  paths.bounding_rect(min_x, max_x, min_y, max_y);
  // An empty drawing keeps the measure's start values (min 1e100, max
  // -1e100), which gives negative sides; a line has one side zero.  The
  // scale divides by both.
  const double width = max_x - min_x;
  const double height = max_y - min_y;
  if (!std::isfinite(width) || !std::isfinite(height) || width <= 0.0 || height <= 0.0) return false;
  agg::trans_affine matrix;
  if (!agg::svg::fit_box_matrix(min_x, max_x, min_y, max_y, buffer.width(), buffer.height(), matrix)) return false;
  // Fills exactly as outlined: the renderer's contour starts wider.
  paths.expand(0.0);
  if (agg::svg::render_work(paths, matrix, buffer.width(), buffer.height(), logo_work_budget) > logo_work_budget) {
    return false;
  }
  agg::svg::render_over(paths, {buffer.pixels(), buffer.width(), buffer.height(), buffer.stride()}, matrix);
  return true;
}

}  // namespace host
