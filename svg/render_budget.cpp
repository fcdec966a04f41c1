#include "svg/render_budget.h"

#include <agg_renderer_scanline.h>
#include <agg_scanline_u.h>

#include <algorithm>
#include <cmath>

namespace agg::svg {

namespace {

// Stands in for the rasteriser in path_renderer::render: takes the same
// outlines, in the same order, and counts instead of keeping cells.
class cell_meter {
 public:
  explicit cell_meter(std::size_t limit) : m_limit(static_cast<double>(limit)) {}

  void clip_box(double x1, double y1, double x2, double y2) {
    m_x1 = std::min(x1, x2);
    m_x2 = std::max(x1, x2);
    m_y1 = std::min(y1, y2);
    m_y2 = std::max(y1, y2);
  }
  void reset() { m_open = false; }
  void filling_rule(filling_rule_e) {}

  // As the rasteriser's add_path: a move closes the contour before it, a
  // close goes back to the contour's start, and the last contour is closed
  // when the outline ends.
  template <class VertexSource>
  void add_path(VertexSource& source, unsigned path_id) {
    if (over()) return;
    source.rewind(path_id);
    double x = 0.0;
    double y = 0.0;
    for (unsigned cmd = source.vertex(&x, &y); !is_stop(cmd) && !over(); cmd = source.vertex(&x, &y)) {
      if (is_move_to(cmd)) {
        close();
        m_start_x = m_x = x;
        m_start_y = m_y = y;
        m_open = true;
      } else if (is_vertex(cmd)) {
        edge_to(x, y);
      } else if (is_close(cmd)) {
        close();
      }
    }
    close();
  }

  // Nothing to sweep: the render draws nothing through the meter.
  bool rewind_scanlines() { return false; }
  int min_x() const { return 0; }
  int max_x() const { return 0; }
  template <class Scanline>
  bool sweep_scanline(Scanline&) {
    return false;
  }

  bool over() const { return !(m_cells <= m_limit); }
  double cells() const { return m_cells; }

 private:
  void close() {
    if (m_open) edge_to(m_start_x, m_start_y);
  }

  // The rasteriser clips an edge to the image; the part beside it runs
  // along the border.  Between the clamped ends the clipped edge moves one
  // way along each axis, so it crosses at most |dx| + |dy| pixels, and a
  // few more where it starts and ends part-way into one.
  void edge_to(double x, double y) {
    if (!m_open) return;
    if (!std::isfinite(x) || !std::isfinite(y)) {
      m_cells = m_limit + 1.0;
      return;
    }
    const double dx = std::clamp(x, m_x1, m_x2) - std::clamp(m_x, m_x1, m_x2);
    const double dy = std::clamp(y, m_y1, m_y2) - std::clamp(m_y, m_y1, m_y2);
    m_cells += std::fabs(dx) + std::fabs(dy) + 3.0;
    m_x = x;
    m_y = y;
  }

  double m_limit;
  double m_cells = 0.0;
  double m_x1 = 0.0, m_y1 = 0.0, m_x2 = 0.0, m_y2 = 0.0;
  double m_x = 0.0, m_y = 0.0;
  double m_start_x = 0.0, m_start_y = 0.0;
  bool m_open = false;
};

// What render_scanlines would hand the spans to; it never gets any.
struct no_renderer {
  void color(const rgba8&) {}
  void prepare() {}
  template <class Scanline>
  void render(const Scanline&) {}
};

}  // namespace

std::size_t render_cells(path_renderer& drawing, const trans_affine& matrix, int width, int height, std::size_t limit) {
  cell_meter meter(limit);
  scanline_u8 scanline;
  no_renderer renderer;
  // The clip box render_over gives the rasteriser.
  drawing.render(meter, scanline, renderer, matrix, 0, 0, width + 1, height + 1);
  if (meter.over()) return limit + 1;
  return static_cast<std::size_t>(std::ceil(meter.cells()));
}

}  // namespace agg::svg
