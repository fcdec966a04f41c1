// The measure of a render's work, checked against what AGG's own rasteriser
// does with the very same clipped outlines: the cells its store keeps and
// the pixels its sweep hands the renderer.  The measure must never be below
// that work (a budget built on it would not hold), and must not be so far
// above it that a fair drawing is refused.
#include "test_image.h"

#include "svg/builtin_logo.h"
#include "svg/render_budget.h"

#include <agg_rasterizer_cells_aa.h>
#include <agg_rasterizer_scanline_aa.h>
#include <agg_rasterizer_sl_clip.h>
#include <agg_scanline_u.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>

using svg_test::parse_text;

namespace {

// The outline half of AGG's scanline rasteriser with double clipping, as
// render_over uses it: the same clipper and cell store, the same closing
// of contours, and the cells of each path counted when it would be swept.
class real_cells {
 public:
  void clip_box(double x1, double y1, double x2, double y2) { m_clipper.clip_box(x1, y1, x2, y2); }
  void reset() {
    m_outline.reset();
    m_status = status::none;
  }
  void filling_rule(agg::filling_rule_e) {}
  template <class VertexSource>
  void add_path(VertexSource& source, unsigned path_id) {
    source.rewind(path_id);
    double x, y;
    for (unsigned cmd = source.vertex(&x, &y); !agg::is_stop(cmd); cmd = source.vertex(&x, &y)) {
      if (agg::is_move_to(cmd)) {
        close_polygon();
        m_clipper.move_to(m_start_x = x, m_start_y = y);
        m_status = status::moved;
      } else if (agg::is_vertex(cmd)) {
        m_clipper.line_to(m_outline, x, y);
        m_status = status::drawn;
      } else if (agg::is_close(cmd)) {
        close_polygon();
      }
    }
  }
  bool rewind_scanlines() {
    close_polygon();
    m_outline.sort_cells();
    m_total += m_outline.total_cells();
    return false;
  }
  int min_x() const { return 0; }
  int max_x() const { return 0; }
  template <class Scanline>
  bool sweep_scanline(Scanline&) {
    return false;
  }

  std::size_t total() const { return m_total; }

 private:
  enum class status { none, moved, drawn };
  void close_polygon() {
    if (m_status == status::drawn) m_clipper.line_to(m_outline, m_start_x, m_start_y);
    m_status = status::none;
  }

  agg::rasterizer_sl_clip_dbl m_clipper;
  agg::rasterizer_cells_aa<agg::cell_aa> m_outline;
  double m_start_x = 0, m_start_y = 0;
  status m_status = status::none;
  std::size_t m_total = 0;
};

struct no_renderer {
  void color(const agg::rgba8&) {}
  void prepare() {}
  template <class Scanline>
  void render(const Scanline&) {}
};

// Counts the pixels of every span the sweep hands over.
struct pixel_counter {
  void color(const agg::rgba8&) {}
  void prepare() {}
  template <class Scanline>
  void render(const Scanline& line) {
    auto span = line.begin();
    for (unsigned k = line.num_spans(); k > 0; --k, ++span) pixels += static_cast<std::size_t>(std::abs(span->len));
  }
  std::size_t pixels = 0;
};

// The work of the real render, in the measure's units.
std::size_t real_work(agg::svg::path_renderer& drawing, const agg::trans_affine& matrix, int width, int height) {
  real_cells cells;
  agg::scanline_u8 scanline;
  no_renderer renderer;
  drawing.render(cells, scanline, renderer, matrix, 0, 0, width + 1, height + 1);
  agg::rasterizer_scanline_aa<agg::rasterizer_sl_clip_dbl> rasterizer;
  pixel_counter counter;
  drawing.render(rasterizer, scanline, counter, matrix, 0, 0, width + 1, height + 1);
  return agg::svg::cell_work * cells.total() + counter.pixels;
}

std::string repeat(const std::string& piece, int count) {
  std::string text;
  for (int k = 0; k < count; ++k) text += piece;
  return text;
}

constexpr std::size_t kNoLimit = std::size_t(1) << 40;

TEST(RenderBudget, TheMeasureIsNeverBelowTheRastersWorkNorFarAbove) {
  struct Case {
    const char* name;
    std::string svg;
    double scale;
  };
  const Case cases[] = {
      {"a filled square", "<svg><rect x='10' y='10' width='100' height='100' fill='#000000'/></svg>", 1.0},
      {"a square mostly outside, clipped", "<svg><rect x='-500' y='50' width='2000' height='3000'/></svg>", 1.0},
      {"a thick zigzag with round joins",
       "<svg><path d='M0,0 L100,100 L0,100 L100,0 L0,0' fill='none' stroke='#000000' stroke-width='30' "
       "stroke-linejoin='round' stroke-linecap='round'/></svg>",
       2.0},
      {"stroked and filled curves",
       "<svg><path d='M10,80 C40,10 65,10 95,80 S150,150 180,80 Q120,20 10,80 Z' fill='#ff0000' stroke='#0000ff' "
       "stroke-width='8'/></svg>",
       1.5},
      {"a rotated square, its rows of every width",
       "<svg><path d='M240,0 L480,320 L240,640 L0,320 Z' fill='#000000' fill-opacity='0.5'/></svg>", 1.0},
      {"full-size half-transparent rectangles, one over the other",
       "<svg>" + repeat("<rect width='480' height='640' fill-opacity='0.5'/>", 5) + "</svg>", 1.0},
      {"the built-in logo, fitted to the splash", agg::svg::builtin_logo_svg(), 0.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    agg::svg::path_renderer drawing;
    parse_text(drawing, c.svg);
    drawing.expand(0.0);
    agg::trans_affine matrix = agg::trans_affine_scaling(c.scale);
    if (c.scale == 0.0) {
      double x1, x2, y1, y2;
      drawing.bounding_rect(x1, x2, y1, y2);
      ASSERT_TRUE(agg::svg::fit_box_matrix(x1, x2, y1, y2, 480, 640, matrix));
    }
    const std::size_t done = real_work(drawing, matrix, 480, 640);
    const std::optional<std::size_t> work = agg::svg::render_work(drawing, matrix, 480, 640, kNoLimit);
    ASSERT_TRUE(work.has_value());
    const std::size_t measured = *work;
    ASSERT_GT(done, 0u);
    EXPECT_GE(measured, done);
    EXPECT_LE(measured, 2 * done) << "done " << done;
  }
}

TEST(RenderBudget, MeasuringStopsOnceOverTheLimit) {
  std::string svg = "<svg><rect width='100' height='100' fill='none'/>";
  for (int k = 0; k < 300; ++k) {
    svg += "<path d='M0,0 L100,100 L0,100 L100,0 L0,0' fill='none' stroke='#000000' stroke-width='40'/>";
  }
  svg += "</svg>";
  agg::svg::path_renderer drawing;
  parse_text(drawing, svg);
  const agg::trans_affine matrix = agg::trans_affine_scaling(4.8);
  const std::optional<std::size_t> all = agg::svg::render_work(drawing, matrix, 480, 640, kNoLimit);
  ASSERT_TRUE(all.has_value());
  EXPECT_GT(*all, 10'000'000u) << "a hostile drawing: thick, long strokes";
  const unsigned allVertices = drawing.vertex_count();
  EXPECT_EQ(agg::svg::render_work(drawing, matrix, 480, 640, *all), all) << "a limit it meets exactly";
  EXPECT_EQ(agg::svg::render_work(drawing, matrix, 480, 640, *all - 1), std::nullopt);
  EXPECT_EQ(agg::svg::render_work(drawing, matrix, 480, 640, std::numeric_limits<std::size_t>::max()), all)
      << "the largest limit";

  // Over the limit within its first stroke: the other 299 are never read.
  EXPECT_EQ(agg::svg::render_work(drawing, matrix, 480, 640, 10'000), std::nullopt);
  EXPECT_GT(allVertices, 300u * 5u);
  EXPECT_LT(drawing.vertex_count(), allVertices / 100) << "of " << allVertices;
}

}  // namespace
