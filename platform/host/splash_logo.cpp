#include "platform/host/splash_logo.h"

#include "svg/fitted_render.h"
#include "svg/render_budget.h"
#include "svg/svg_parser.h"

#include <tinyxml.h>

#include <algorithm>
#include <cmath>
#include <optional>

namespace host {

namespace {

using notus::impl::details::GDIBuffer;

// Reads the drawing and fits it to the buffer; false when it has no width
// or no height to fit.
bool ReadFitted(const GDIBuffer& buffer, const TiXmlNode& document, agg::svg::path_renderer& paths,
                agg::trans_affine& matrix) {
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
  if (!agg::svg::fit_box_matrix(min_x, max_x, min_y, max_y, buffer.width(), buffer.height(), matrix)) return false;
  // Fills exactly as outlined: the renderer's contour starts wider.
  paths.expand(0.0);
  return true;
}

void Render(GDIBuffer& buffer, agg::svg::path_renderer& paths, const agg::trans_affine& matrix) {
  agg::svg::render_over(paths, {buffer.pixels(), buffer.width(), buffer.height(), buffer.stride()}, matrix);
}

// The buffer's pixels are one block from pixels() on, whichever way its
// rows run.
bool AllWhite(const GDIBuffer& buffer) {
  if (buffer.pixels() == nullptr || buffer.width() <= 0 || buffer.height() <= 0) return true;
  const std::size_t bytes = static_cast<std::size_t>(GDIBuffer::bytes_per_pixel) *
                            static_cast<std::size_t>(buffer.width()) * static_cast<std::size_t>(buffer.height());
  return std::all_of(buffer.pixels(), buffer.pixels() + bytes, [](unsigned char byte) { return byte == 255; });
}

}  // namespace

std::size_t logo_work_budget(int width, int height) {
  const double pixels = static_cast<double>(std::max(width, 0)) * static_cast<double>(std::max(height, 0));
  return static_cast<std::size_t>(pixels * logo_work_per_pixel);
}

bool DrawFittedLogo(GDIBuffer& buffer, const TiXmlNode& document) {
  agg::svg::path_renderer paths;
  agg::trans_affine matrix;
  if (!ReadFitted(buffer, document, paths, matrix)) return false;
  Render(buffer, paths, matrix);
  return true;
}

bool DrawDownloadedLogo(GDIBuffer& buffer, const TiXmlNode& document) {
  agg::svg::path_renderer paths;
  agg::trans_affine matrix;
  if (!ReadFitted(buffer, document, paths, matrix)) return false;
  const std::size_t budget = logo_work_budget(buffer.width(), buffer.height());
  if (!agg::svg::render_work(paths, matrix, buffer.width(), buffer.height(), budget)) return false;
  Render(buffer, paths, matrix);
  return !AllWhite(buffer);
}

}  // namespace host
