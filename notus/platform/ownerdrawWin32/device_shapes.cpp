// The anti-aliased shapes of the drawing device: each is an AGG vertex
// source, shifted by the origin, rasterised and rendered solid into the
// current target within its clip box.
#include "notus/platform/ownerdrawWin32/device.h"
#include "notus/platform/ownerdrawWin32/device_recording.h"

#include "notus/platform/ownerdrawWin32/GDIBuffer.h"
#include "notus/platform/ownerdrawWin32/device_colour.h"

#include <agg_conv_stroke.h>
#include <agg_conv_transform.h>
#include <agg_ellipse.h>
#include <agg_path_storage.h>
#include <agg_rasterizer_scanline_aa.h>
#include <agg_renderer_scanline.h>
#include <agg_rounded_rect.h>
#include <agg_scanline_u.h>
#include <agg_trans_affine.h>

namespace notus::gdi {

using impl::details::GDIBuffer;

namespace {

// Painting runs on the GUI thread only and never re-enters a shape, so one
// rasteriser and scanline serve every call and keep their memory.
agg::rasterizer_scanline_aa<>& shared_rasterizer() {
  static agg::rasterizer_scanline_aa<> rasterizer;
  return rasterizer;
}

agg::scanline_u8& shared_scanline() {
  static agg::scanline_u8 scanline;
  return scanline;
}

template <class VertexSource>
void render_solid(GDIBuffer& target, VertexSource& shape, device<notus::traits>::point_type origin, COLORREF colour,
                  unsigned char alpha) {
  const RECT clip = target.clip_rect();
  if (clip.right <= clip.left || clip.bottom <= clip.top) return;
  agg::trans_affine_translation shift(origin.x, origin.y);
  agg::conv_transform<VertexSource> moved(shape, shift);
  auto& rasterizer = shared_rasterizer();
  rasterizer.reset();
  rasterizer.filling_rule(agg::fill_non_zero);
  rasterizer.clip_box(clip.left, clip.top, clip.right, clip.bottom);
  rasterizer.add_path(moved);
  agg::render_scanlines_aa_solid(rasterizer, shared_scanline(), target.renderer(), agg_colour(colour, alpha));
}

agg::rounded_rect rounded(const device_rect& r, const device<notus::traits>::radii_type& radii) {
  agg::rounded_rect shape;
  shape.rect(r.left, r.top, r.right, r.bottom);
  shape.radius(radii[0], radii[1], radii[2], radii[3], radii[4], radii[5], radii[6], radii[7]);
  // Radii longer than the sides would make the outline cross itself.
  shape.normalize_radius();
  return shape;
}

agg::rounded_rect rounded(const device_rect& r, double radius) {
  agg::rounded_rect shape(r.left, r.top, r.right, r.bottom, radius);
  shape.normalize_radius();
  return shape;
}

// agg::ellipse leaves the coordinates unset for its end-of-polygon command,
// which the rasteriser ignores but an optimising compiler flags.
class ellipse_source {
 public:
  ellipse_source(double cx, double cy, double rx, double ry, unsigned steps, bool clockwise)
      : m_ellipse(cx, cy, rx, ry, steps, clockwise) {}
  void rewind(unsigned path_id) { m_ellipse.rewind(path_id); }
  unsigned vertex(double* x, double* y) {
    *x = 0.0;
    *y = 0.0;
    return m_ellipse.vertex(x, y);
  }

 private:
  agg::ellipse m_ellipse;
};

template <class Shape>
void stroke_solid(GDIBuffer& target, Shape& shape, double width, device<notus::traits>::point_type origin,
                  COLORREF colour, unsigned char alpha) {
  agg::conv_stroke<Shape> stroke(shape);
  stroke.width(width);
  render_solid(target, stroke, origin, colour, alpha);
}

agg::path_storage path_of(const pointd* points, unsigned count) {
  agg::path_storage path;
  for (unsigned i = 0; i < count; ++i) {
    if (i == 0)
      path.move_to(points[i].x, points[i].y);
    else
      path.line_to(points[i].x, points[i].y);
  }
  return path;
}

std::string radii_text(const device<notus::traits>::radii_type& radii) {
  std::string out = "[";
  for (std::size_t i = 0; i < radii.size(); ++i) out += (i == 0 ? "" : " ") + recording::number(radii[i]);
  return out + "]";
}

}  // namespace

void device<notus::traits>::fill_rounded_rect(const device_rect& r, double radius, colour_type colour,
                                              alpha_type alpha) {
  if (recording::on())
    recording::record(
        origin(), "fill_rounded_rect",
        {recording::rect(r), recording::number(radius), recording::colour(colour), recording::number(alpha)});
  agg::rounded_rect shape = rounded(r, radius);
  render_solid(target(), shape, origin(), colour, alpha);
}

void device<notus::traits>::fill_rounded_rect_radii(const device_rect& r, const radii_type& radii, colour_type colour,
                                                    alpha_type alpha) {
  if (recording::on())
    recording::record(origin(), "fill_rounded_rect_radii",
                      {recording::rect(r), radii_text(radii), recording::colour(colour), recording::number(alpha)});
  agg::rounded_rect shape = rounded(r, radii);
  render_solid(target(), shape, origin(), colour, alpha);
}

void device<notus::traits>::frame_rounded_rect(const device_rect& r, double radius, double width, colour_type colour,
                                               alpha_type alpha) {
  if (recording::on())
    recording::record(origin(), "frame_rounded_rect",
                      {recording::rect(r), recording::number(radius), recording::number(width),
                       recording::colour(colour), recording::number(alpha)});
  agg::rounded_rect shape = rounded(r, radius);
  stroke_solid(target(), shape, width, origin(), colour, alpha);
}

void device<notus::traits>::frame_rounded_rect_radii(const device_rect& r, const radii_type& radii, double width,
                                                     colour_type colour, alpha_type alpha) {
  if (recording::on())
    recording::record(origin(), "frame_rounded_rect_radii",
                      {recording::rect(r), radii_text(radii), recording::number(width), recording::colour(colour),
                       recording::number(alpha)});
  agg::rounded_rect shape = rounded(r, radii);
  stroke_solid(target(), shape, width, origin(), colour, alpha);
}

void device<notus::traits>::fill_ellipse(colour_type colour, alpha_type alpha, double cx, double cy, double rx,
                                         double ry, unsigned steps, bool clockwise) {
  if (recording::on())
    recording::record(
        origin(), "fill_ellipse",
        {recording::colour(colour), recording::number(alpha), recording::number(cx), recording::number(cy),
         recording::number(rx), recording::number(ry), recording::number(steps), recording::number(clockwise)});
  ellipse_source shape(cx, cy, rx, ry, steps, clockwise);
  render_solid(target(), shape, origin(), colour, alpha);
}

void device<notus::traits>::frame_ellipse(double width, colour_type colour, alpha_type alpha, double cx, double cy,
                                          double rx, double ry, unsigned steps, bool clockwise) {
  if (recording::on())
    recording::record(origin(), "frame_ellipse",
                      {recording::number(width), recording::colour(colour), recording::number(alpha),
                       recording::number(cx), recording::number(cy), recording::number(rx), recording::number(ry),
                       recording::number(steps), recording::number(clockwise)});
  ellipse_source shape(cx, cy, rx, ry, steps, clockwise);
  stroke_solid(target(), shape, width, origin(), colour, alpha);
}

void device<notus::traits>::fill_polygon(const pointd* points, unsigned count, colour_type colour, alpha_type alpha) {
  if (recording::on())
    recording::record(origin(), "fill_polygon",
                      {recording::points(points, count), recording::colour(colour), recording::number(alpha)});
  if (!points || count < 3) return;
  agg::path_storage path = path_of(points, count);
  path.close_polygon();
  render_solid(target(), path, origin(), colour, alpha);
}

void device<notus::traits>::draw_polyline(const pointd* points, double width, unsigned count, colour_type colour,
                                          alpha_type alpha) {
  if (recording::on())
    recording::record(origin(), "draw_polyline",
                      {recording::points(points, count), recording::number(width), recording::colour(colour),
                       recording::number(alpha)});
  if (!points || count < 2) return;
  agg::path_storage path = path_of(points, count);
  stroke_solid(target(), path, width, origin(), colour, alpha);
}

}  // namespace notus::gdi
