#include "svg/path_renderer.h"

#include "svg/svg_exception.h"

#include <algorithm>
#include <cmath>

namespace agg::svg {

namespace {

// Past this magnitude, in the drawing's own units or in pixels, the curve,
// stroke and clipping arithmetic squares coordinates out of the range of a
// double; nothing a drawing of ours holds comes near it.
const double max_magnitude = 1e100;

// Curves and round joins are flattened as if the path were at most this many
// pixels across.  Flattening works to a fraction of a pixel, so a path
// scaled far beyond the image (say a control point at 1e300, or a zoom by
// 1e12) would otherwise be cut into millions of pieces, nearly all of them
// clipped away.  Our art is drawn far below it and keeps its exact look.
const double max_flattened_pixels = 8192.0;

// Above this the flattening tolerance squared underflows to zero, and even a
// curve of one point is cut to the recursion limit.
const double max_approximation_scale = 1e100;

bool finite(const trans_affine& m) {
  return std::isfinite(m.sx) && std::isfinite(m.shy) && std::isfinite(m.shx) && std::isfinite(m.sy) &&
         std::isfinite(m.tx) && std::isfinite(m.ty);
}

}  // namespace

path_renderer::drawing_limits path_renderer::limits_for(const path_attributes& attr) const {
  drawing_limits limits;
  if (!finite(m_transform)) return limits;

  // The path's extent and the largest magnitude of its coordinates.
  double min_x = 0.0, max_x = 0.0, min_y = 0.0, max_y = 0.0;
  bool first = true;
  for (unsigned i = attr.index; i < m_storage.total_vertices(); ++i) {
    double x, y;
    const unsigned cmd = m_storage.vertex(i, &x, &y);
    if (is_stop(cmd)) break;
    if (!is_vertex(cmd)) continue;
    if (!std::isfinite(x) || !std::isfinite(y)) return limits;
    min_x = first ? x : std::min(min_x, x);
    max_x = first ? x : std::max(max_x, x);
    min_y = first ? y : std::min(min_y, y);
    max_y = first ? y : std::max(max_y, y);
    first = false;
  }
  const double magnitude = std::max({std::fabs(min_x), std::fabs(max_x), std::fabs(min_y), std::fabs(max_y)});
  const double extent = std::max(max_x - min_x, max_y - min_y);

  // How far a stroke reaches beyond the path: half its width, or up to the
  // miter limit times that at a sharp corner.
  const bool stroke_sane = std::isfinite(attr.stroke_width) && std::isfinite(attr.miter_limit);
  const double reach = stroke_sane ? std::fabs(attr.stroke_width) * std::max(1.0, attr.miter_limit) : 0.0;

  // A bound on the pixel coordinates: each row of the matrix applied to
  // the largest magnitude, plus the translation.
  const double linear = std::max(std::fabs(m_transform.sx) + std::fabs(m_transform.shx),
                                 std::fabs(m_transform.shy) + std::fabs(m_transform.sy));
  const double shift = std::max(std::fabs(m_transform.tx), std::fabs(m_transform.ty));
  auto within = [&](double user) { return user <= max_magnitude && linear * user + shift <= max_magnitude; };
  limits.fill = within(magnitude);
  limits.stroke = stroke_sane && within(magnitude + reach);

  const double size = std::max(extent, reach);
  double scale = std::min(m_transform.scale(), max_approximation_scale);
  if (size * scale > max_flattened_pixels) scale = max_flattened_pixels / size;
  limits.approximation_scale = scale;
  return limits;
}

void path_renderer::check_room() const {
  // Every call that stores vertices stores at most four, so the storage
  // never holds more than max_vertices plus a few.
  if (m_storage.total_vertices() >= max_vertices) throw exception("path_renderer: More than %u vertices", max_vertices);
}

path_renderer::path_renderer()
    : m_curved(m_storage),
      m_curved_count(m_curved),
      m_curved_stroked(m_curved_count),
      m_curved_stroked_trans(m_curved_stroked, m_transform),
      m_curved_trans(m_curved_count, m_transform),
      m_curved_trans_contour(m_curved_trans) {
  m_curved_trans_contour.auto_detect_orientation(false);
}

void path_renderer::push_attr() {
  m_attr_stack.add(m_attr_stack.size() ? m_attr_stack[m_attr_stack.size() - 1] : path_attributes());
}

void path_renderer::pop_attr() {
  if (m_attr_stack.size() == 0) throw exception("pop_attr : Attribute stack is empty");
  m_attr_stack.remove_last();
}

path_attributes& path_renderer::cur_attr() {
  if (m_attr_stack.size() == 0) throw exception("cur_attr : Attribute stack is empty");
  return m_attr_stack[m_attr_stack.size() - 1];
}

void path_renderer::begin_path() {
  check_room();
  push_attr();
  const unsigned index = m_storage.start_new_path();
  path_attributes record = cur_attr();
  record.index = index;
  m_attr_storage.add(record);
}

void path_renderer::end_path() {
  if (m_attr_storage.size() == 0) throw exception("end_path : The path was not begun");
  path_attributes& last = m_attr_storage[m_attr_storage.size() - 1];
  const unsigned index = last.index;
  last = cur_attr();
  last.index = index;
  last.no_geometry = m_storage.total_vertices() == index;
  pop_attr();
}

bool path_renderer::current_point(double& x, double& y) const {
  const unsigned cmd = m_storage.last_vertex(&x, &y);
  if (is_vertex(cmd)) return true;
  if (is_end_poly(cmd)) {
    // The close marker carries no position; after a close SVG continues
    // from where the closed subpath began.
    x = m_subpath_start_x;
    y = m_subpath_start_y;
    return true;
  }
  return false;
}

void path_renderer::continue_after_close() {
  double x, y;
  if (is_end_poly(m_storage.last_vertex(&x, &y))) m_storage.move_to(m_subpath_start_x, m_subpath_start_y);
}

bool path_renderer::smooth_control(double& x, double& y) const {
  double last_x, last_y;
  const unsigned last = m_storage.last_vertex(&last_x, &last_y);
  if (!is_vertex(last)) return false;
  x = last_x;
  y = last_y;
  // Only a curve that ends at the current point lends its control point
  // to the reflection.  The end point of an earlier curve, one entry back
  // after a line or a move, is no control point at all.
  double prev_x, prev_y;
  if (is_curve(last) && is_curve(m_storage.prev_vertex(&prev_x, &prev_y))) {
    x = last_x + last_x - prev_x;
    y = last_y + last_y - prev_y;
  }
  return true;
}

void path_renderer::make_absolute(bool rel, std::initializer_list<point_ref> points) const {
  double cx, cy;
  if (!rel || !current_point(cx, cy)) return;
  for (const point_ref& p : points) {
    p.x += cx;
    p.y += cy;
  }
}

void path_renderer::move_to(double x, double y, bool rel) {
  check_room();
  make_absolute(rel, {{x, y}});
  m_storage.move_to(x, y);
  m_subpath_start_x = x;
  m_subpath_start_y = y;
}

void path_renderer::line_to(double x, double y, bool rel) {
  check_room();
  double cx, cy;
  const bool has_point = current_point(cx, cy);
  if (rel && has_point) {
    x += cx;
    y += cy;
  }
  continue_after_close();
  if (!has_point) {
    // A line that opens the path starts its subpath.
    m_subpath_start_x = x;
    m_subpath_start_y = y;
  }
  m_storage.line_to(x, y);
}

void path_renderer::hline_to(double x, bool rel) {
  check_room();
  double cx, cy;
  if (!current_point(cx, cy)) return;
  continue_after_close();
  m_storage.line_to(rel ? cx + x : x, cy);
}

void path_renderer::vline_to(double y, bool rel) {
  check_room();
  double cx, cy;
  if (!current_point(cx, cy)) return;
  continue_after_close();
  m_storage.line_to(cx, rel ? cy + y : y);
}

void path_renderer::curve3(double x1, double y1, double x, double y, bool rel) {
  check_room();
  make_absolute(rel, {{x1, y1}, {x, y}});
  continue_after_close();
  m_storage.curve3(x1, y1, x, y);
}

void path_renderer::curve3_smooth(double x, double y, bool rel) {
  check_room();
  make_absolute(rel, {{x, y}});
  continue_after_close();
  double x1, y1;
  if (smooth_control(x1, y1)) m_storage.curve3(x1, y1, x, y);
}

void path_renderer::curve4(double x1, double y1, double x2, double y2, double x, double y, bool rel) {
  check_room();
  make_absolute(rel, {{x1, y1}, {x2, y2}, {x, y}});
  continue_after_close();
  m_storage.curve4(x1, y1, x2, y2, x, y);
}

void path_renderer::curve4_smooth(double x2, double y2, double x, double y, bool rel) {
  check_room();
  make_absolute(rel, {{x2, y2}, {x, y}});
  continue_after_close();
  double x1, y1;
  if (smooth_control(x1, y1)) m_storage.curve4(x1, y1, x2, y2, x, y);
}

void path_renderer::close_subpath() {
  check_room();
  m_storage.end_poly(path_flags_close);
}

void path_renderer::fill(const rgba8& color) {
  path_attributes& attr = cur_attr();
  attr.fill_color = color;
  attr.fill_flag = true;
}

void path_renderer::stroke(const rgba8& color) {
  path_attributes& attr = cur_attr();
  attr.stroke_color = color;
  attr.stroke_flag = true;
}

void path_renderer::fill_none() { cur_attr().fill_flag = false; }
void path_renderer::stroke_none() { cur_attr().stroke_flag = false; }
void path_renderer::fill_opacity(double opacity) { set_opacity(cur_attr().fill_color, opacity); }
void path_renderer::stroke_opacity(double opacity) { set_opacity(cur_attr().stroke_color, opacity); }
void path_renderer::stroke_width(double width) { cur_attr().stroke_width = width; }
void path_renderer::miter_limit(double limit) { cur_attr().miter_limit = limit; }
void path_renderer::line_join(line_join_e join) { cur_attr().line_join = join; }
void path_renderer::line_cap(line_cap_e cap) { cur_attr().line_cap = cap; }
trans_affine& path_renderer::transform() { return cur_attr().transform; }

void path_renderer::bounding_rect(double& min_x, double& max_x, double& min_y, double& max_y) const {
  min_x = 1e100;
  max_x = -1e100;
  min_y = 1e100;
  max_y = -1e100;
  for (unsigned i = 0; i < m_storage.total_vertices(); ++i) {
    double x, y;
    const unsigned cmd = m_storage.vertex(i, &x, &y);
    if (is_stop(cmd)) break;
    if (!is_vertex(cmd)) continue;
    if (x < min_x) min_x = x;
    if (x > max_x) max_x = x;
    if (y < min_y) min_y = y;
    if (y > max_y) max_y = y;
  }
}

}  // namespace agg::svg
