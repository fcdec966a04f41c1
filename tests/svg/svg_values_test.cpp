#include "svg/color_names.h"
#include "svg/svg_exception.h"
#include "svg/svg_parser.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string color_error(const char* text) {
  try {
    agg::svg::parser::parse_color(text);
  } catch (const agg::svg::exception& e) {
    return e.msg();
  }
  return "(no error)";
}

TEST(SvgValues, ColoursFromHexAndNames) {
  const struct {
    const char* text;
    int r, g, b, a;
  } cases[] = {
      {"#ff0000", 255, 0, 0, 255},
      {"#0A0b0c", 10, 11, 12, 255},
      {"  #123456", 0x12, 0x34, 0x56, 255},
      {"#fff", 255, 255, 255, 255},  // shorthand expands
      {"#1a2", 0x11, 0xaa, 0x22, 255},
      {"#", 0, 0, 0, 255},
      {"red", 255, 0, 0, 255},
      {" red", 255, 0, 0, 255},
      {"gray", 128, 128, 128, 255},
      {"grey", 128, 128, 128, 255},
      {"lightgoldenrodyellow", 250, 250, 210, 255},
      {"yellowgreen", 154, 205, 50, 255},
      {"zzzzzzzzzzz", 0, 0, 0, 0},
  };
  for (const auto& c : cases) {
    const agg::rgba8 color = agg::svg::parser::parse_color(c.text);
    EXPECT_EQ(color.r, c.r) << c.text;
    EXPECT_EQ(color.g, c.g) << c.text;
    EXPECT_EQ(color.b, c.b) << c.text;
    EXPECT_EQ(color.a, c.a) << c.text;
  }
  for (const char* bad : {"Red", "RED", "redd", "", "lightgoldenrodyellowish"})
    EXPECT_EQ(color_error(bad), std::string("parse_color: Invalid color name '") + bad + "'");
}

TEST(SvgValues, ColourTableHoldsTheKeywordsInOrder) {
  const auto table = agg::svg::color_names();
  ASSERT_EQ(table.size(), 148u);
  EXPECT_STREQ(table.front().name, "aliceblue");
  EXPECT_STREQ(table[146].name, "yellowgreen");
  EXPECT_STREQ(table.back().name, "zzzzzzzzzzz");
  for (std::size_t i = 1; i < table.size(); ++i) EXPECT_LT(std::string(table[i - 1].name), std::string(table[i].name));
}

TEST(SvgValues, NumbersSkipBlanksAndReadAPrefix) {
  EXPECT_EQ(agg::svg::parser::parse_double("  2.5px"), 2.5);
  EXPECT_EQ(agg::svg::parser::parse_double("-1e2"), -100.0);
  EXPECT_EQ(agg::svg::parser::parse_double("px"), 0.0);
}

TEST(SvgValues, TransformArgumentsCountAndLength) {
  double args[3];
  unsigned na = 0;
  const char* text = "rotate( 1,-2 3e-1 ) scale(4)";
  EXPECT_EQ(agg::svg::parser::parse_transform_args(text, args, 3, na), 18u);
  ASSERT_EQ(na, 3u);
  EXPECT_EQ(args[0], 1.0);
  EXPECT_EQ(args[1], -2.0);
  EXPECT_EQ(args[2], 0.3);
}

TEST(SvgException, FormatsCopiesAndCuts) {
  const agg::svg::exception e("a %d %s", 5, "b");
  const agg::svg::exception copy = e;
  EXPECT_STREQ(copy.msg(), "a 5 b");
  EXPECT_STREQ(agg::svg::exception(nullptr).msg(), "");
  const std::string long_text(5000, 'x');
  EXPECT_EQ(std::string(agg::svg::exception("%s", long_text.c_str()).msg()).size(), 4095u);
}

}  // namespace
