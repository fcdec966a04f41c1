#include "test_image.h"

#include "svg/svg_exception.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

using svg_test::parse_text;
using svg_test::test_image;

namespace {

// Renders SVG text with `matrix` into a fresh transparent image.
test_image render(const std::string& svg, int w, int h, const agg::trans_affine& matrix = agg::trans_affine(),
                  double opacity = 1.0) {
  agg::svg::path_renderer renderer;
  parse_text(renderer, svg);
  test_image image(w, h);
  agg::svg::render_over(renderer, image.view(), matrix, opacity);
  return image;
}

std::string error_of(void (*action)(agg::svg::path_renderer&)) {
  agg::svg::path_renderer renderer;
  try {
    action(renderer);
  } catch (const agg::svg::exception& e) {
    return e.msg();
  }
  return "(no error)";
}

TEST(PathRenderer, FillNoneWithoutStrokeDrawsNothingButSetsTheBox) {
  agg::svg::path_renderer renderer;
  parse_text(renderer, "<svg><rect x='2' y='3' width='10' height='5' fill='none'/></svg>");
  test_image image(20, 20);
  agg::svg::render_over(renderer, image.view(), agg::trans_affine());
  EXPECT_TRUE(image.all_transparent());

  double x1, x2, y1, y2;
  renderer.bounding_rect(x1, x2, y1, y2);
  EXPECT_EQ(x1, 2);
  EXPECT_EQ(x2, 12);
  EXPECT_EQ(y1, 3);
  EXPECT_EQ(y2, 8);
}

TEST(PathRenderer, FillsUseTheEvenOddRule) {
  // Both squares run the same way: a non-zero fill would have no hole.
  const test_image image = render("<svg><path d='M0,0 L20,0 L20,20 L0,20 Z M5,5 L15,5 L15,15 L5,15 Z'/></svg>", 20, 20);
  EXPECT_EQ(image.at(2, 2).a, 255);
  EXPECT_EQ(image.at(2, 2).r, 0);
  EXPECT_EQ(image.at(10, 10).a, 0);
}

// A plain colour blended into a premultiplied image: each channel moves from
// the destination towards the colour by alpha/255, the alpha by
// alpha * (255 - destination alpha) / 255.
void expect_blend(svg_test::pixel got, int dst_r, int dst_g, int dst_b, int dst_a, int r, int g, int b, int a) {
  auto lerp = [a](int from, int to) { return from + (to - from) * a / 255.0; };
  EXPECT_NEAR(got.r, lerp(dst_r, r), 1.0);
  EXPECT_NEAR(got.g, lerp(dst_g, g), 1.0);
  EXPECT_NEAR(got.b, lerp(dst_b, b), 1.0);
  EXPECT_NEAR(got.a, dst_a + a * (255 - dst_a) / 255.0, 1.0);
}

TEST(PathRenderer, OpacityScalesTheAlphaAndBlends) {
  const std::string red_square = "<svg><rect width='10' height='10' fill='red'/></svg>";
  const std::string half_red_square = "<svg><rect width='10' height='10' fill='red' fill-opacity='0.5'/></svg>";

  // Render opacity and fill opacity both give alpha 128 over transparency.
  expect_blend(render(red_square, 10, 10, agg::trans_affine(), 0.5).at(5, 5), 0, 0, 0, 0, 255, 0, 0, 128);
  expect_blend(render(half_red_square, 10, 10).at(5, 5), 0, 0, 0, 0, 255, 0, 0, 128);

  // Over opaque white.
  agg::svg::path_renderer renderer;
  parse_text(renderer, half_red_square);
  test_image white(10, 10, 255);
  agg::svg::render_over(renderer, white.view(), agg::trans_affine());
  expect_blend(white.at(5, 5), 255, 255, 255, 255, 255, 0, 0, 128);
}

TEST(PathRenderer, StrokeWidthScalesWithTheMatrix) {
  const std::string line = "<svg><line x1='1' y1='5' x2='9' y2='5' stroke='black' stroke-width='1'/></svg>";
  const test_image image = render(line, 20, 20, agg::trans_affine_scaling(2.0));
  int opaque_rows = 0;
  for (int y = 0; y < 20; ++y) opaque_rows += image.at(10, y).a == 255;
  EXPECT_EQ(opaque_rows, 2);
  EXPECT_EQ(image.at(10, 9).a, 255);
  EXPECT_EQ(image.at(10, 10).a, 255);
  EXPECT_EQ(image.at(10, 8).a, 0);
  EXPECT_EQ(image.at(10, 11).a, 0);
}

TEST(PathRenderer, BoundingBoxIsTheFirstPathsRawExtent) {
  double x1, x2, y1, y2;
  {
    agg::svg::path_renderer renderer;
    parse_text(renderer,
               "<svg><rect x='1' y='2' width='3' height='4' transform='scale(10)'/>"
               "<rect x='-50' y='-50' width='200' height='200'/></svg>");
    renderer.bounding_rect(x1, x2, y1, y2);
    EXPECT_EQ(x1, 1);
    EXPECT_EQ(x2, 4);
    EXPECT_EQ(y1, 2);
    EXPECT_EQ(y2, 6);
  }
  {
    agg::svg::path_renderer renderer;
    renderer.bounding_rect(x1, x2, y1, y2);
    EXPECT_EQ(x1, 1e100);
    EXPECT_EQ(x2, -1e100);
    EXPECT_EQ(y1, 1e100);
    EXPECT_EQ(y2, -1e100);
  }
  {
    // An empty first path does not count; the first path with vertices does.
    agg::svg::path_renderer renderer;
    parse_text(renderer, "<svg><path/><line x1='3' y1='4' x2='5' y2='9'/></svg>");
    renderer.bounding_rect(x1, x2, y1, y2);
    EXPECT_EQ(x1, 3);
    EXPECT_EQ(x2, 5);
    EXPECT_EQ(y1, 4);
    EXPECT_EQ(y2, 9);
  }
}

TEST(PathRenderer, AnEmptyPathDrawsNothing) {
  // The empty path starts where the next one does; it must not draw the
  // next shape in its own colour underneath.
  const test_image image =
      render("<svg><path fill='red'/><rect width='10' height='10' fill='blue' fill-opacity='0.5'/></svg>", 10, 10);
  expect_blend(image.at(5, 5), 0, 0, 0, 0, 0, 0, 255, 128);

  const test_image degenerate = render(
      "<svg><rect width='0' height='5' fill='red'/><polygon fill='red'/>"
      "<rect width='10' height='10' fill='blue' fill-opacity='0.5'/></svg>",
      10, 10);
  expect_blend(degenerate.at(5, 5), 0, 0, 0, 0, 0, 0, 255, 128);
}

TEST(PathRenderer, PathsTakeTheAttributesOnTopWhenTheyEnd) {
  agg::svg::path_renderer renderer;
  renderer.push_attr();
  renderer.fill(agg::rgba8(1, 2, 3, 255));
  renderer.begin_path();
  renderer.move_to(0, 0);
  renderer.line_to(1, 1);
  renderer.fill(agg::rgba8(9, 8, 7, 255));
  renderer.end_path();
  ASSERT_EQ(renderer.path_count(), 1u);
  EXPECT_EQ(renderer.path_attr(0).fill_color.r, 9);
  EXPECT_EQ(renderer.path_attr(0).index, 0u);
  // The path's own change did not leak into the stack below it.
  EXPECT_EQ(renderer.cur_attr().fill_color.r, 1);
}

TEST(PathRenderer, StackMisuseThrows) {
  EXPECT_EQ(error_of([](agg::svg::path_renderer& r) { r.pop_attr(); }), "pop_attr : Attribute stack is empty");
  EXPECT_EQ(error_of([](agg::svg::path_renderer& r) { r.fill(agg::rgba8(0, 0, 0, 255)); }),
            "cur_attr : Attribute stack is empty");
  EXPECT_EQ(error_of([](agg::svg::path_renderer& r) { r.end_path(); }), "end_path : The path was not begun");
  EXPECT_EQ(error_of([](agg::svg::path_renderer& r) {
              r.push_attr();
              r.pop_attr();
              r.pop_attr();
            }),
            "pop_attr : Attribute stack is empty");
}

TEST(PathRenderer, FarAwayCoordinatesAreClippedSafely) {
  const test_image image = render("<svg><path d='M-1e30,-1e30 L1e30,-1e30 L1e30,1e30 L-1e30,1e30 Z'/></svg>", 8, 8);
  EXPECT_EQ(image.at(4, 4).a, 255);
}

TEST(PathRenderer, HostileNumbersStayCheap) {
  // A downloaded drawing is not ours: whatever its numbers, a render must
  // stay a small amount of work, draw what is sane and let UBSan see no
  // non-finite value reach the rasteriser.  The frame comes first, as in
  // every drawing, and is fitted into the image.
  const std::string frame = "<rect width='100' height='100' fill='none'/>";
  const struct {
    const char* what;
    std::string svg;
  } cases[] = {
      {"control points near 1e300", "<path d='M10 10 C1e300 1e300 -1e300 1e300 90 10 Z'/>"},
      {"control points near 1e300, stroked",
       "<path d='M10 10 C1e300 1e300 -1e300 1e300 90 10' fill='none' stroke='black' stroke-linejoin='round'/>"},
      {"a huge scale", "<path d='M10 10 C20 90 80 90 90 10 Z' transform='scale(1e300)'/>"},
      {"an infinite scale", "<path d='M10 10 C20 90 80 90 90 10 Z' transform='scale(1e999)'/>"},
      {"a zoom into a curve", "<path d='M10 10 C20 90 80 90 90 10 Z' transform='scale(1e12)'/>"},
      {"an infinite coordinate", "<path d='M10 10 L1e999 50 L10 90 Z'/>"},
      {"a huge round stroke",
       "<path d='M10 10 L90 10 L10 90' fill='none' stroke='black' stroke-width='1e300' "
       "stroke-linejoin='round' stroke-linecap='round'/>"},
      {"a wide round stroke",
       "<path d='M10 10 L90 10 L10 90' fill='none' stroke='black' stroke-width='1e9' "
       "stroke-linejoin='round' stroke-linecap='round'/>"},
      {"a stroke width that is not a number", "<path d='M10 10 L90 90' stroke='black' stroke-width='nan'/>"},
      {"a huge miter limit",
       "<path d='M10 10 L90 10.000001 L10 10.000002' fill='none' stroke='black' "
       "stroke-width='5' stroke-miterlimit='1e300'/>"},
      {"nested huge transforms",
       "<g transform='scale(1e200)'><g transform='scale(1e200)'>"
       "<path d='M10 10 C20 90 80 90 90 10 Z'/></g></g>"},
  };
  // Drawn last over whatever the hostile path left: the render goes on
  // with the paths that are sane.
  const std::string sane = "<rect x='40' y='40' width='20' height='20' fill='#0000ff'/>";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TiXmlDocument doc;
    doc.Parse(("<svg>" + frame + c.svg + sane + "</svg>").c_str());
    ASSERT_FALSE(doc.Error());
    agg::svg::path_renderer renderer;
    agg::svg::parser reader(renderer);
    reader.parse(doc);
    test_image image(100, 100);
    EXPECT_TRUE(agg::svg::render_fitted(renderer, image.view()));
    // Curves are flattened for no more than a few thousand pixels.
    EXPECT_LT(renderer.vertex_count(), 2000u);
    EXPECT_EQ(image.at(50, 50).b, 255);
    EXPECT_EQ(image.at(50, 50).a, 255);
  }

  // What stays sane is drawn as before: a round stroke wider than the
  // image still covers it, and a path zoomed a million times still fills.
  EXPECT_EQ(render("<svg><path d='M10 10 L90 10' stroke='black' stroke-width='1e6' "
                   "stroke-linecap='round' fill='none'/></svg>",
                   10, 10)
                .inked_pixels(),
            100);
  EXPECT_EQ(render("<svg><path d='M0 0 C0 1 1 1 1 0 Z' transform='scale(1e6)'/></svg>", 10, 10).at(5, 5).a, 255);
}

TEST(PathRenderer, ADrawingHoldsABoundedNumberOfVertices) {
  // Far more than any drawing of ours (a few hundred), and a bound on the
  // work a downloaded one can ask for.
  auto polyline = [](unsigned count) {
    std::string points = "0,0";
    for (unsigned i = 1; i < count; ++i) points += " " + std::to_string(i % 100) + "," + std::to_string(i % 7);
    return "<svg><polyline points='" + points + "'/></svg>";
  };
  agg::svg::path_renderer renderer;
  try {
    parse_text(renderer, polyline(agg::svg::path_renderer::max_vertices + 1));
    FAIL() << "no error";
  } catch (const agg::svg::exception& e) {
    EXPECT_STREQ(e.msg(), "path_renderer: More than 16384 vertices");
  }

  agg::svg::path_renderer within;
  parse_text(within, polyline(agg::svg::path_renderer::max_vertices - 10));
  EXPECT_EQ(within.storage().total_vertices(), agg::svg::path_renderer::max_vertices - 10);
}

}  // namespace
