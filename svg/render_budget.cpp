#include "svg/render_budget.h"

#include <agg_renderer_scanline.h>
#include <agg_scanline_u.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace agg::svg {

namespace {

// Stands in for the rasteriser in path_renderer::render: takes the same
// outlines, in the same order, and measures instead of keeping cells.
class work_meter {
 public:
  work_meter(std::size_t limit, int rows)
      : m_limit(static_cast<double>(limit)),
        m_left(static_cast<std::size_t>(std::max(rows, 0)), kNone),
        m_right(m_left.size(), -kNone) {}

  void clip_box(double x1, double y1, double x2, double y2) {
    m_x1 = std::min(x1, x2);
    m_x2 = std::max(x1, x2);
    m_y1 = std::min(y1, y2);
    m_y2 = std::max(y1, y2);
  }
  void reset() {
    m_open = false;
    clear_rows();
  }
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

  // Where the render would sweep the outline: its pixels are counted, and
  // nothing is drawn through the meter.
  bool rewind_scanlines() {
    sweep_rows();
    return false;
  }
  int min_x() const { return 0; }
  int max_x() const { return 0; }
  template <class Scanline>
  bool sweep_scanline(Scanline&) {
    return false;
  }

  bool over() const { return !(m_work <= m_limit); }
  double work() const { return m_work; }

 private:
  static constexpr double kNone = std::numeric_limits<double>::infinity();

  void close() {
    if (m_open) edge_to(m_start_x, m_start_y);
  }

  void edge_to(double x, double y) {
    if (!m_open) return;
    if (!std::isfinite(x) || !std::isfinite(y)) {
      m_work = std::numeric_limits<double>::infinity();
      return;
    }
    count_cells(x, y);
    widen_rows(m_x, m_y, x, y);
    m_x = x;
    m_y = y;
  }

  // The rasteriser clips an edge to the image; the part beside it runs
  // along the border.  Between the clamped ends the clipped edge moves one
  // way along each axis, so it crosses at most |dx| + |dy| pixels, and a
  // few more where it starts and ends part-way into one.
  void count_cells(double x, double y) {
    const double dx = std::clamp(x, m_x1, m_x2) - std::clamp(m_x, m_x1, m_x2);
    const double dy = std::clamp(y, m_y1, m_y2) - std::clamp(m_y, m_y1, m_y2);
    m_work += static_cast<double>(cell_work) * (std::fabs(dx) + std::fabs(dy) + 3.0);
  }

  // Widens each row the edge passes through to hold the edge's part on it.
  // An edge above or below the image is dropped by the clipper; one beside
  // it runs along the border, so its x is clamped.
  void widen_rows(double xa, double ya, double xb, double yb) {
    if (ya > yb) {
      std::swap(xa, xb);
      std::swap(ya, yb);
    }
    const double top = std::max(ya, m_y1);
    const double bottom = std::min(yb, m_y2);
    if (top > bottom || m_left.empty()) return;
    const long last_row = static_cast<long>(m_left.size()) - 1;
    const long first = std::clamp(static_cast<long>(std::floor(top - m_y1)), 0L, last_row);
    const long last = std::clamp(static_cast<long>(std::floor(bottom - m_y1)), 0L, last_row);
    for (long row = first; row <= last; ++row) {
      const double from = std::max(top, m_y1 + static_cast<double>(row));
      const double to = std::min(bottom, m_y1 + static_cast<double>(row + 1));
      double left = std::min(xa, xb);
      double right = std::max(xa, xb);
      if (yb > ya) {
        const double at_from = xa + (xb - xa) * ((from - ya) / (yb - ya));
        const double at_to = xa + (xb - xa) * ((to - ya) / (yb - ya));
        left = std::min(at_from, at_to);
        right = std::max(at_from, at_to);
      }
      // Far-away ends can make the slope overflow: the whole row then.
      if (!std::isfinite(left) || !std::isfinite(right)) {
        left = m_x1;
        right = m_x2;
      }
      const auto index = static_cast<std::size_t>(row);
      m_left[index] = std::min(m_left[index], std::clamp(left, m_x1, m_x2));
      m_right[index] = std::max(m_right[index], std::clamp(right, m_x1, m_x2));
      m_first_row = std::min(m_first_row, row);
      m_last_row = std::max(m_last_row, row);
    }
  }

  // Every row from the outline's first to its last is visited, and on each
  // the pixels from its leftmost cell to its rightmost may be blended.
  void sweep_rows() {
    if (m_first_row > m_last_row) return;
    for (long row = m_first_row; row <= m_last_row; ++row) {
      const auto index = static_cast<std::size_t>(row);
      m_work += 1.0;
      if (m_left[index] <= m_right[index]) m_work += std::floor(m_right[index]) - std::floor(m_left[index]) + 1.0;
    }
    clear_rows();
  }

  void clear_rows() {
    for (long row = m_first_row; row <= m_last_row; ++row) {
      m_left[static_cast<std::size_t>(row)] = kNone;
      m_right[static_cast<std::size_t>(row)] = -kNone;
    }
    m_first_row = std::numeric_limits<long>::max();
    m_last_row = std::numeric_limits<long>::min();
  }

  double m_limit;
  double m_work = 0.0;
  double m_x1 = 0.0, m_y1 = 0.0, m_x2 = 0.0, m_y2 = 0.0;
  double m_x = 0.0, m_y = 0.0;
  double m_start_x = 0.0, m_start_y = 0.0;
  bool m_open = false;
  // Per row of the clip box: the leftmost and rightmost x of the outline
  // on it; only rows first to last hold anything.
  std::vector<double> m_left;
  std::vector<double> m_right;
  long m_first_row = std::numeric_limits<long>::max();
  long m_last_row = std::numeric_limits<long>::min();
};

// What render_scanlines would hand the spans to; it never gets any.
struct no_renderer {
  void color(const rgba8&) {}
  void prepare() {}
  template <class Scanline>
  void render(const Scanline&) {}
};

}  // namespace

std::optional<std::size_t> render_work(path_renderer& drawing, const trans_affine& matrix, int width, int height,
                                       std::size_t limit) {
  // The clip box render_over gives the rasteriser, and a row for every
  // whole y in it.
  work_meter meter(limit, height + 2);
  scanline_u8 scanline;
  no_renderer renderer;
  drawing.render(meter, scanline, renderer, matrix, 0, 0, width + 1, height + 1);
  if (meter.over()) return std::nullopt;
  // Counts below 2^53 are exact.  A limit above that may have been rounded
  // up on its way to double, so a count that reaches it is reported as the
  // limit (converting a count of 2^64 would overflow).
  const double work = std::ceil(meter.work());
  if (work >= static_cast<double>(limit)) return limit;
  return static_cast<std::size_t>(work);
}

}  // namespace agg::svg
