#include "svg/path_renderer.h"
#include "svg/path_tokenizer.h"
#include "svg/svg_exception.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

std::string number(double v) {
  char text[64];
  std::snprintf(text, sizeof text, "%g", v);
  return text;
}

// The storage as text: M/L for moves and lines, Q/C for the points of
// quadratic and cubic curves, Z for a close, | for the marker between paths.
std::string describe(const agg::path_storage& storage) {
  std::string out;
  for (unsigned i = 0; i < storage.total_vertices(); ++i) {
    double x, y;
    const unsigned cmd = storage.vertex(i, &x, &y);
    std::string item;
    if (agg::is_stop(cmd))
      item = "|";
    else if (agg::is_end_poly(cmd))
      item = "Z";
    else {
      const char* letter = agg::is_move_to(cmd)          ? "M"
                           : cmd == agg::path_cmd_curve3 ? "Q"
                           : cmd == agg::path_cmd_curve4 ? "C"
                                                         : "L";
      item = letter + number(x) + "," + number(y);
    }
    out += (out.empty() ? "" : " ") + item;
  }
  return out;
}

std::string read_path(const std::string& data) {
  agg::svg::path_renderer renderer;
  agg::svg::path_tokenizer tok;
  renderer.begin_path();
  tok.set_path_str(data.c_str());
  renderer.parse_path(tok);
  renderer.end_path();
  return describe(renderer.storage());
}

std::string error_of(const std::string& data) {
  try {
    read_path(data);
  } catch (const agg::svg::exception& e) {
    return e.msg();
  }
  return "(no error)";
}

struct path_case {
  const char* data;
  const char* vertices;
};

TEST(PathData, CommandsGiveTheirVertices) {
  const path_case cases[] = {
      {"M10,20L30,40Z", "M10,20 L30,40 Z"},
      {"M 10 20 30 40", "M10,20 M30,40"},  // a repeated move stays a move
      {"m 10 10 l 5 0 l 0 5", "M10,10 L15,10 L15,15"},
      {"M 0 0 h 5 v 5 H 1 V 2", "M0,0 L5,0 L5,5 L1,5 L1,2"},
      {"M10-20", "M10,-20"},
      {"M-.5-.5", "M-0.5,-0.5"},
      {"M1e-1 2", "M0.1,2"},
      {"M1.5e3,2E+1", "M1500,20"},
      {"M 1 2 Q 3 4 5 6", "M1,2 Q3,4 Q5,6"},
      {"M 1 1 q 1 1 2 2", "M1,1 Q2,2 Q3,3"},
      {"M 0 0 T 4 4", "M0,0 Q0,0 Q4,4"},
      {"M 0 0 Q 2 0 2 2 T 4 4", "M0,0 Q2,0 Q2,2 Q2,4 Q4,4"},
      {"M 0 0 C 1 2 3 4 5 6 S 7 8 9 10", "M0,0 C1,2 C3,4 C5,6 C7,8 C7,8 C9,10"},
      {"M 1 1 c 1 1 2 2 3 3", "M1,1 C2,2 C3,3 C4,4"},
      {"M 0 0 L 1 1 Z", "M0,0 L1,1 Z"},
      {"M 0 0 L 1 1 Z 5 Z", "M0,0 L1,1 Z"},  // numbers after a close close again
      {"M 0 0 L 1 1 L 2 2 3 3", "M0,0 L1,1 L2,2 L3,3"},
      {"", ""},
      {" ,\t\r\n", ""},
  };
  for (const path_case& c : cases) EXPECT_EQ(read_path(c.data), c.vertices) << "d=\"" << c.data << "\"";
}

TEST(PathData, AfterACloseTheSubpathStartIsTheCurrentPoint) {
  const path_case cases[] = {
      {"M 10 10 L 20 10 L 20 20 Z l 5 0", "M10,10 L20,10 L20,20 Z M10,10 L15,10"},
      {"M 10 10 L 20 20 Z m 5 5 l 1 1", "M10,10 L20,20 Z M15,15 L16,16"},
      {"M 10 10 L 20 20 Z H 30", "M10,10 L20,20 Z M10,10 L30,10"},
      {"M 10 10 L 20 20 Z v 5", "M10,10 L20,20 Z M10,10 L10,15"},
      {"M 10 10 L 20 20 Z L 0 30", "M10,10 L20,20 Z M10,10 L0,30"},
  };
  for (const path_case& c : cases) EXPECT_EQ(read_path(c.data), c.vertices) << "d=\"" << c.data << "\"";
}

TEST(PathData, SmoothCurvesReflectOnlyTheCurveJustDrawn) {
  // The reflected control point belongs to a curve that ends at the current
  // point; after a line (or a move) the control point is the current point.
  const path_case cases[] = {
      {"M 0 0 C 0 10 10 10 10 0 L 20 0 S 30 10 40 0", "M0,0 C0,10 C10,10 C10,0 L20,0 C20,0 C30,10 C40,0"},
      {"M 0 0 Q 5 10 10 0 L 20 0 T 30 0", "M0,0 Q5,10 Q10,0 L20,0 Q20,0 Q30,0"},
      {"M 0 0 C 0 10 10 10 10 0 M 20 0 S 30 10 40 0", "M0,0 C0,10 C10,10 C10,0 M20,0 C20,0 C30,10 C40,0"},
      {"M 0 0 C 0 10 10 10 10 0 S 30 10 40 0", "M0,0 C0,10 C10,10 C10,0 C10,-10 C30,10 C40,0"},
      {"M 0 0 Q 5 10 10 0 T 20 0", "M0,0 Q5,10 Q10,0 Q15,-10 Q20,0"},
  };
  for (const path_case& c : cases) EXPECT_EQ(read_path(c.data), c.vertices) << "d=\"" << c.data << "\"";
}

TEST(PathData, LongNumbersAreCutAt255Characters) {
  const std::string digits(300, '1');
  agg::svg::path_tokenizer tok;
  tok.set_path_str(digits.c_str());
  ASSERT_TRUE(tok.next());
  EXPECT_NEAR(tok.last_number() / 1.111111111111111e254, 1.0, 1e-12);
  ASSERT_TRUE(tok.next());
  EXPECT_NEAR(tok.last_number() / 1.111111111111111e44, 1.0, 1e-12);
  EXPECT_FALSE(tok.next());
}

TEST(PathData, TokenizerWithoutTextReadsNothing) {
  agg::svg::path_tokenizer tok;
  EXPECT_FALSE(tok.next());
  EXPECT_EQ(tok.last_command(), 0);
}

TEST(PathData, ErrorsNameTheirCause) {
  const path_case cases[] = {
      {"L 10", "parse_path: Unexpected end of path"},
      {"M 0 0 L 10 M 5 5", "parse_path: Command L: bad or missing parameters"},
      {"M 0 0 C 1 2 3 4 5", "parse_path: Unexpected end of path"},
      {"M1e-1 2 3", "parse_path: Unexpected end of path"},
      {"M 0 0 A 5 5 0 0 1 10 10", "parse_path: Command A: NOT IMPLEMENTED YET"},
      {"M 0 0 a 5 5 0 0 1 10 10", "parse_path: Command A: NOT IMPLEMENTED YET"},
      {"M 0 0 X 1", "path_tokenizer::next : Invalid Character X"},
      {"M 0 0 L 1 (2)", "path_tokenizer::next : Invalid Character ("},
      {"M 0 0 F", "parse_path: Invalid Command F"},
      {"M 0 0 p 1", "parse_path: Invalid Command p"},
      {"10 20", "parse_path: Invalid Command "},  // no command letter yet
  };
  for (const path_case& c : cases) EXPECT_EQ(error_of(c.data), c.vertices) << "d=\"" << c.data << "\"";

  const std::string high_byte = "M 0 0 \xC3\xA9";
  EXPECT_EQ(error_of(high_byte), std::string("path_tokenizer::next : Invalid Character \xC3"));
}

TEST(PathData, StorageKeepsWhatCameBeforeAnError) {
  agg::svg::path_renderer renderer;
  agg::svg::path_tokenizer tok;
  renderer.begin_path();
  tok.set_path_str("M 1 2 L 3 4 X");
  EXPECT_THROW(renderer.parse_path(tok), agg::svg::exception);
  EXPECT_EQ(describe(renderer.storage()), "M1,2 L3,4");
}

}  // namespace
