#pragma once

#include "svg/color_opacity.h"
#include "svg/conv_count.h"
#include "svg/path_attributes.h"

#include <agg_array.h>
#include <agg_conv_contour.h>
#include <agg_conv_curve.h>
#include <agg_conv_stroke.h>
#include <agg_conv_transform.h>
#include <agg_path_storage.h>
#include <agg_rasterizer_scanline_aa.h>
#include <agg_renderer_scanline.h>

#include <cmath>
#include <initializer_list>

namespace agg::svg {

class path_tokenizer;

// Stores one SVG drawing as paths with their drawing attributes, measures it
// and renders it anti-aliased.  Built on the caller's stack for one drawing.
class path_renderer {
 public:
  using curved = conv_curve<path_storage>;
  using curved_count = conv_count<curved>;
  using curved_stroked = conv_stroke<curved_count>;
  using curved_stroked_trans = conv_transform<curved_stroked>;
  using curved_trans = conv_transform<curved_count>;
  using curved_trans_contour = conv_contour<curved_trans>;

  path_renderer();
  path_renderer(const path_renderer&) = delete;
  path_renderer& operator=(const path_renderer&) = delete;

  // Attribute stack; the setters below work on its top.
  void push_attr();
  void pop_attr();
  path_attributes& cur_attr();

  void begin_path();
  void end_path();

  // Relative coordinates are measured from the current point: the last
  // vertex, or the start of the subpath after a close.
  void move_to(double x, double y, bool rel = false);
  void line_to(double x, double y, bool rel = false);
  void hline_to(double x, bool rel = false);
  void vline_to(double y, bool rel = false);
  void curve3(double x1, double y1, double x, double y, bool rel = false);
  void curve3_smooth(double x, double y, bool rel = false);
  void curve4(double x1, double y1, double x2, double y2, double x, double y, bool rel = false);
  void curve4_smooth(double x2, double y2, double x, double y, bool rel = false);
  void close_subpath();

  // Reads path data ("d") into the path begun last.
  void parse_path(path_tokenizer& tok);

  void fill(const rgba8& color);
  void stroke(const rgba8& color);
  void fill_none();
  void stroke_none();
  void fill_opacity(double opacity);
  void stroke_opacity(double opacity);
  void stroke_width(double width);
  void miter_limit(double limit);
  void line_join(line_join_e join);
  void line_cap(line_cap_e cap);
  trans_affine& transform();

  // Contour width of the fills (0 draws the plain outline).
  void expand(double value) { m_curved_trans_contour.width(value); }

  // The raw extent of the first path that holds any vertex; no transform
  // applied.  The art relies on this: a drawing's first path is its frame.
  void bounding_rect(double& min_x, double& max_x, double& min_y, double& max_y) const;

  // A drawing holds at most this many stored vertices (the parse throws
  // beyond it): far more than any drawing of ours, and a bound on what a
  // downloaded one can make a render do.
  static constexpr unsigned max_vertices = 1u << 14;

  unsigned vertex_count() const { return m_curved_count.count(); }
  unsigned path_count() const { return m_attr_storage.size(); }
  const path_attributes& path_attr(unsigned i) const { return m_attr_storage[i]; }
  const path_storage& storage() const { return m_storage; }

  template <class Rasterizer, class Scanline, class Renderer>
  void render(Rasterizer& ras, Scanline& sl, Renderer& ren, const trans_affine& mtx, int x1, int y1, int x2, int y2,
              double opacity = 1.0);

 private:
  // What one path may be drawn with under the matrix in m_transform.
  struct drawing_limits {
    bool fill = false;
    bool stroke = false;
    double approximation_scale = 1.0;
  };
  drawing_limits limits_for(const path_attributes& attr) const;

  bool current_point(double& x, double& y) const;
  // A relative command's points are offsets from the current point; this
  // makes them absolute (nothing happens without a current point).
  struct point_ref {
    double& x;
    double& y;
  };
  void make_absolute(bool rel, std::initializer_list<point_ref> points) const;
  void continue_after_close();
  // The first control point of a smooth curve from the current point;
  // false when there is no current point.
  bool smooth_control(double& x, double& y) const;
  void check_room() const;

  path_storage m_storage;
  pod_bvector<path_attributes, 6> m_attr_storage;
  pod_bvector<path_attributes, 6> m_attr_stack;
  trans_affine m_transform;

  curved m_curved;
  curved_count m_curved_count;
  curved_stroked m_curved_stroked;
  curved_stroked_trans m_curved_stroked_trans;
  curved_trans m_curved_trans;
  curved_trans_contour m_curved_trans_contour;

  double m_subpath_start_x = 0.0;
  double m_subpath_start_y = 0.0;
};

template <class Rasterizer, class Scanline, class Renderer>
void path_renderer::render(Rasterizer& ras, Scanline& sl, Renderer& ren, const trans_affine& mtx, int x1, int y1,
                           int x2, int y2, double opacity) {
  ras.clip_box(x1, y1, x2, y2);
  m_curved_count.count(0);

  for (unsigned i = 0; i < m_attr_storage.size(); ++i) {
    const path_attributes& attr = m_attr_storage[i];
    if (attr.no_geometry) continue;

    m_transform = attr.transform;
    m_transform *= mtx;
    const drawing_limits limits = limits_for(attr);
    const double scale = m_transform.scale();
    m_curved.approximation_scale(limits.approximation_scale);
    m_curved.angle_tolerance(0.0);

    if (attr.fill_flag && limits.fill) {
      ras.reset();
      ras.filling_rule(fill_even_odd);
      if (std::fabs(m_curved_trans_contour.width()) < 0.0001) {
        ras.add_path(m_curved_trans, attr.index);
      } else {
        m_curved_trans_contour.miter_limit(attr.miter_limit);
        ras.add_path(m_curved_trans_contour, attr.index);
      }
      rgba8 color = attr.fill_color;
      set_opacity(color, color.a / 255.0 * opacity);
      ren.color(color);
      render_scanlines(ras, sl, ren);
    }

    if (attr.stroke_flag && limits.stroke) {
      m_curved_stroked.width(attr.stroke_width);
      m_curved_stroked.line_join(attr.line_join);
      m_curved_stroked.line_cap(attr.line_cap);
      m_curved_stroked.miter_limit(attr.miter_limit);
      m_curved_stroked.inner_join(inner_round);
      m_curved_stroked.approximation_scale(limits.approximation_scale);
      // Thick lines need their curve joins subdivided by angle too, or
      // the outer edge of a tight curve shows corners.
      if (attr.stroke_width * scale > 1.0) m_curved.angle_tolerance(0.2);
      ras.reset();
      ras.filling_rule(fill_non_zero);
      ras.add_path(m_curved_stroked_trans, attr.index);
      rgba8 color = attr.stroke_color;
      set_opacity(color, color.a / 255.0 * opacity);
      ren.color(color);
      render_scanlines(ras, sl, ren);
    }
  }
}

}  // namespace agg::svg
