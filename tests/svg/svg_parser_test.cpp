#include "test_image.h"

#include "svg/svg_exception.h"

#include <gtest/gtest.h>

#include <string>

using svg_test::parse_text;

namespace {

std::string error_of(const std::string& svg) {
  agg::svg::path_renderer renderer;
  try {
    parse_text(renderer, svg);
  } catch (const agg::svg::exception& e) {
    return e.msg();
  }
  return "(no error)";
}

// The attributes of the only path in `svg`.
agg::svg::path_attributes only_path(const std::string& svg) {
  agg::svg::path_renderer renderer;
  parse_text(renderer, svg);
  EXPECT_EQ(renderer.path_count(), 1u) << svg;
  return renderer.path_attr(0);
}

agg::svg::path_attributes path_with(const std::string& attributes) {
  return only_path("<svg><path d='M0 0 L1 1' " + attributes + "/></svg>");
}

void expect_color(const agg::rgba8& c, int r, int g, int b, int a) {
  EXPECT_EQ(c.r, r);
  EXPECT_EQ(c.g, g);
  EXPECT_EQ(c.b, b);
  EXPECT_EQ(c.a, a);
}

TEST(SvgParser, StyleItemsAreTrimmedAndApplied) {
  for (const char* style : {"fill:#ff0000; stroke : blue ;stroke-width:2", "  fill:#ff0000;stroke:blue;stroke-width:2;",
                            "fill :#ff0000 ; stroke: blue; stroke-width : 2 ; ; "}) {
    const agg::svg::path_attributes a = path_with(std::string("style='") + style + "'");
    expect_color(a.fill_color, 255, 0, 0, 255);
    EXPECT_TRUE(a.stroke_flag) << style;
    expect_color(a.stroke_color, 0, 0, 255, 255);
    EXPECT_EQ(a.stroke_width, 2.0) << style;
  }
  // An unknown name is passed over, also without a colon.
  EXPECT_EQ(path_with("style='foo; bar:baz; fill:lime'").fill_color.g, 255);
  EXPECT_EQ(error_of("<svg><path d='M0 0' style='stroke:red;fill'/></svg>"), "parse_color: Invalid color name ''");
}

TEST(SvgParser, PresentationAttributes) {
  agg::svg::path_attributes a = path_with(
      "stroke='red' stroke-width='3' stroke-linecap='round' stroke-linejoin='bevel' "
      "stroke-miterlimit='7' fill='none'");
  EXPECT_FALSE(a.fill_flag);
  EXPECT_TRUE(a.stroke_flag);
  EXPECT_EQ(a.stroke_width, 3.0);
  EXPECT_EQ(a.line_cap, agg::round_cap);
  EXPECT_EQ(a.line_join, agg::bevel_join);
  EXPECT_EQ(a.miter_limit, 7.0);

  a = path_with("stroke-linecap='square' stroke-linejoin='round'");
  EXPECT_EQ(a.line_cap, agg::square_cap);
  EXPECT_EQ(a.line_join, agg::round_join);
  a = path_with("stroke-linecap='wobbly' stroke-linejoin='wobbly'");
  EXPECT_EQ(a.line_cap, agg::butt_cap);
  EXPECT_EQ(a.line_join, agg::miter_join);

  // A group turns the stroke on; the path turns it off again.
  a = only_path("<svg><g stroke='red'><path d='M0 0 L1 1' stroke='none'/></g></svg>");
  EXPECT_FALSE(a.stroke_flag);
}

TEST(SvgParser, OpacityIsClampedAndFollowsDocumentOrder) {
  const struct {
    const char* attributes;
    int fill_alpha;
    int stroke_alpha;
  } cases[] = {
      {"fill-opacity='1.5' stroke-opacity='-1'", 255, 0}, {"fill-opacity='0.5' stroke-opacity=' 0.25'", 128, 64},
      {"fill-opacity='0.5' fill='red'", 255, 255},  // the colour brings alpha 255
      {"fill='red' fill-opacity='0.5'", 128, 255},        {"style='fill-opacity:0.5' fill='red'", 255, 255},
  };
  for (const auto& c : cases) {
    const agg::svg::path_attributes a = path_with(c.attributes);
    EXPECT_EQ(a.fill_color.a, c.fill_alpha) << c.attributes;
    EXPECT_EQ(a.stroke_color.a, c.stroke_alpha) << c.attributes;
  }
}

void expect_maps(const std::string& transform, double x, double y, double to_x, double to_y) {
  const agg::svg::path_attributes a = path_with("transform='" + transform + "'");
  a.transform.transform(&x, &y);
  EXPECT_NEAR(x, to_x, 1e-9) << transform;
  EXPECT_NEAR(y, to_y, 1e-9) << transform;
}

TEST(SvgParser, TransformsMapPoints) {
  expect_maps("translate(10) scale(2)", 1, 1, 12, 2);
  expect_maps("translate(10,5)", 1, 1, 11, 6);
  expect_maps("rotate(90 10 10)", 20, 10, 10, 20);
  expect_maps("rotate(90)", 1, 0, 0, 1);
  expect_maps("scale(2 3)", 1, 1, 2, 3);
  expect_maps("scale(1-2)", 1, 1, 1, -2);  // a sign starts a new number
  expect_maps("scale(1e1)", 1, 1, 10, 10);
  expect_maps("translate(1e-1,-2E+0)", 0, 0, 0.1, -2);
  expect_maps("matrix(1 2 3 4 5 6)", 1, 1, 9, 12);
  expect_maps("skewX(45)", 0, 1, 1, 1);
  expect_maps("skewY(45)", 1, 0, 1, 1);
  expect_maps("translate() scale( )", 3, 4, 3, 4);
  expect_maps("wobble(7) translate(1 2)", 0, 0, 1, 2);
  expect_maps("translate(0x10)", 0, 0, 0, 10);  // "0" and "10": no hexadecimal
}

TEST(SvgParser, GroupsNestTheirAttributes) {
  agg::svg::path_renderer renderer;
  parse_text(renderer,
             "<svg fill='red' transform='scale(5)'>"
             "<g fill='red' transform='translate(10 0)'>"
             "<path d='M0 0 L1 1' transform='scale(2)'/></g>"
             "<path d='M0 0 L1 1'/><circle cx='5' cy='5' r='5'/><text>Hi</text></svg>");
  ASSERT_EQ(renderer.path_count(), 2u);
  const agg::svg::path_attributes& inside = renderer.path_attr(0);
  expect_color(inside.fill_color, 255, 0, 0, 255);
  double x = 1, y = 1;
  inside.transform.transform(&x, &y);  // the path's own transform first
  EXPECT_EQ(x, 12);
  EXPECT_EQ(y, 2);

  // The sibling after the group, and the root's attributes, change nothing.
  const agg::svg::path_attributes& after = renderer.path_attr(1);
  expect_color(after.fill_color, 0, 0, 0, 255);
  EXPECT_TRUE(after.transform.is_identity());
}

TEST(SvgParser, ShapesBecomePaths) {
  agg::svg::path_renderer renderer;
  parse_text(renderer,
             "<svg><title>t</title><rect x='1' y='2' width='3' height='4' rx='9'/>"
             "<line x1='1' y1='2' x2='3' y2='4'/>"
             "<polyline points='1,2 3,4 5,6'/><polygon points='1 2,3 4 5 6'/>"
             "<rect width='0' height='-5'/></svg>");
  ASSERT_EQ(renderer.path_count(), 5u);
  const agg::path_storage& s = renderer.storage();
  auto command_at = [&](unsigned i) {
    double x, y;
    return s.vertex(i, &x, &y);
  };
  // rect: move, 3 lines, close; line: move, line; polyline: no close; polygon: close.
  EXPECT_TRUE(agg::is_close(command_at(4)));
  EXPECT_EQ(renderer.path_attr(1).index, 6u);
  EXPECT_EQ(renderer.path_attr(2).index, 9u);
  EXPECT_EQ(renderer.path_attr(3).index, 13u);
  EXPECT_TRUE(agg::is_close(command_at(16)));
  EXPECT_TRUE(renderer.path_attr(4).no_geometry);
  double x, y;
  s.vertex(2, &x, &y);
  EXPECT_EQ(x, 4);
  EXPECT_EQ(y, 6);
}

TEST(SvgParser, ErrorsNameTheirCause) {
  const struct {
    const char* svg;
    const char* message;
  } cases[] = {
      {"<path d='M0 0'><path d='M1 1'/></path>", "start_element: Nested path"},
      {"<path fill='Red' d='M0 0'/>", "parse_color: Invalid color name 'Red'"},
      {"<path transform='scale 2' d='M0 0'/>", "parse_transform_args: Invalid syntax"},
      {"<path transform='rotate(5' d='M0 0'/>", "parse_transform_args: Invalid syntax"},
      {"<path transform='translate(1 2 3)' d='M0 0'/>", "parse_transform_args: Too many arguments"},
      {"<path transform='matrix(1 2 3)' d='M0 0'/>", "parse_matrix: Invalid number of arguments"},
      {"<path transform='rotate(1 2)' d='M0 0'/>", "parse_rotate: Invalid number of arguments"},
      {"<path transform='rotate()' d='M0 0'/>", "parse_rotate: Invalid number of arguments"},
      {"<rect width='-5' height='10'/>", "parse_rect: Invalid width: -5.000000"},
      {"<rect width='5' height='-10'/>", "parse_rect: Invalid height: -10.000000"},
      {"<polygon points='10,20 30,40 50'/>", "parse_poly: Odd number of coordinates"},
      {"<polyline points='10'/>", "parse_poly: Too few coordinates"},
      {"<polyline points=''/>", "parse_poly: Too few coordinates"},
      {"<path d='M 0 0 Y'/>", "path_tokenizer::next : Invalid Character Y"},
      {"<g><path d='M0 0 L'/></g>", "parse_path: Unexpected end of path"},
  };
  for (const auto& c : cases) EXPECT_EQ(error_of(std::string("<svg>") + c.svg + "</svg>"), c.message) << c.svg;
}

TEST(SvgParser, ParsesOneElementOfADocument) {
  TiXmlDocument doc;
  doc.Parse(
      "<svg><g id='a'><rect width='1' height='1'/></g>"
      "<g id='b'><rect width='2' height='2'/><rect width='3' height='3'/></g></svg>");
  agg::svg::path_renderer renderer;
  agg::svg::parser reader(renderer);
  reader.parse(*doc.RootElement()->FirstChildElement()->NextSiblingElement());
  EXPECT_EQ(renderer.path_count(), 2u);
}

}  // namespace
