// Checks of the art we ship: every glyph the game draws exists and shows,
// the value symbols are complete and recolourable, and all of it keeps to
// the SVG our reader handles the same way under every reading.
#include "test_image.h"

#include "svg/builtin_logo.h"
#include "svg/glyph_lookup.h"
#include "svg/xml_document_file.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <set>
#include <string>

using svg_test::test_image;

namespace {

TiXmlDocument load_resource(const char* name) {
  const std::string path = std::string(TAVLIN_TEST_RESOURCES_DIR) + name;
  TiXmlDocument doc;
  load_xml_document(doc, std::wstring(path.begin(), path.end()));
  EXPECT_FALSE(doc.Error()) << name << ": " << doc.ErrorDesc();
  EXPECT_NE(doc.RootElement(), nullptr) << name;
  return doc;
}

const int glyph_ids[] = {100, 101, 102, 103, 104, 105, 106, 107, 108, 109, 110, 111, 112, 113,
                         114, 115, 116, 117, 118, 119, 121, 122, 123, 124, 125, 126, 127, 128};

TEST(GlyphArt, EveryGlyphTheGameDrawsExistsAndShows) {
  const TiXmlDocument glyphs = load_resource("glyphs.dat");
  for (int id : glyph_ids) {
    const TiXmlElement* node = nullptr;
    ASSERT_NO_THROW(node = find_svg_node(glyphs, id)) << id;

    agg::svg::path_renderer drawing;
    agg::svg::parser reader(drawing);
    reader.parse(*node);
    ASSERT_GT(drawing.path_count(), 1u) << id;
    // The first path is the invisible frame; all glyphs share it, so
    // they come out at one size.
    const agg::svg::path_attributes& frame = drawing.path_attr(0);
    EXPECT_FALSE(frame.fill_flag) << id;
    EXPECT_FALSE(frame.stroke_flag) << id;
    EXPECT_TRUE(frame.transform.is_identity()) << id;
    double x1, x2, y1, y2;
    drawing.bounding_rect(x1, x2, y1, y2);
    EXPECT_EQ(x1, 0) << id;
    EXPECT_EQ(x2, 100) << id;
    EXPECT_EQ(y1, 0) << id;
    EXPECT_EQ(y2, 100) << id;

    for (int size : {40, 18}) {
      test_image image(size, size);
      ASSERT_TRUE(agg::svg::render_svg_fitted(*node, image.view())) << id;
      EXPECT_GT(image.inked_pixels(), size * size / 8) << id << " at " << size;
    }
  }
}

TEST(GlyphArt, ButtonStatesLookDifferent) {
  const TiXmlDocument glyphs = load_resource("glyphs.dat");
  auto render = [&](int id) {
    test_image image(32, 32);
    agg::svg::render_svg_fitted(*find_svg_node(glyphs, id), image.view());
    return image;
  };
  auto differing_pixels = [](const test_image& a, const test_image& b) {
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
      for (int x = 0; x < a.width(); ++x) {
        const svg_test::pixel p = a.at(x, y), q = b.at(x, y);
        count += std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b) > 48;
      }
    return count;
  };
  // Normal, pressed and disabled of each game button; the three tab pairs.
  for (int first : {106, 109, 112, 115, 100, 102, 104}) {
    const int states = first < 106 ? 2 : 3;
    for (int a = 0; a < states; ++a)
      for (int b = a + 1; b < states; ++b)
        EXPECT_GT(differing_pixels(render(first + a), render(first + b)), 40) << first + a << " vs " << first + b;
  }
}

const char value_symbols[] = "123456789ABCDEFGHIJKLMNOP";

TEST(DigitArt, HoldsTheValueSymbolsInOrder) {
  const TiXmlDocument digits = load_resource("titular_digits.dat");
  std::string order;
  for (const TiXmlElement* g = digits.RootElement()->FirstChildElement(); g; g = g->NextSiblingElement()) {
    EXPECT_STREQ(g->Value(), "g");
    order += g->Attribute("id") ? g->Attribute("id") : "?";
    const char* fill = g->Attribute("fill");
    ASSERT_NE(fill, nullptr);
    EXPECT_EQ(std::strlen(fill), 7u);
    for (const TiXmlElement* shape = g->FirstChildElement(); shape; shape = shape->NextSiblingElement())
      EXPECT_EQ(shape->Attribute("fill"), nullptr) << "the painter recolours through the group";
  }
  EXPECT_EQ(order, value_symbols);
}

TEST(DigitArt, SymbolsSitInTheCellAndTakeTheGroupsColour) {
  const TiXmlDocument digits = load_resource("titular_digits.dat");
  const int side = 60;
  // As the grid painter draws them: (14, 14) to the centre, 30 units to the side.
  agg::trans_affine m = agg::trans_affine_translation(-14, -14);
  m *= agg::trans_affine_scaling(side / 30.0);
  m *= agg::trans_affine_translation(side / 2.0, side / 2.0);

  int index = 0;
  for (const TiXmlElement* g = digits.RootElement()->FirstChildElement(); g; g = g->NextSiblingElement(), ++index) {
    TiXmlElement recoloured(*g);
    recoloured.SetAttribute("fill", "#c71414");
    agg::svg::path_renderer drawing;
    agg::svg::parser reader(drawing);
    reader.parse(recoloured);
    test_image image(side, side);
    agg::svg::render_over(drawing, image.view(), m);

    int left = side, right = -1, top = side, bottom = -1, solid = 0;
    for (int y = 0; y < side; ++y)
      for (int x = 0; x < side; ++x) {
        const svg_test::pixel p = image.at(x, y);
        if (p.a == 0) continue;
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
        if (p.a == 255) {
          ++solid;
          EXPECT_EQ(p.r, 0xc7);
          EXPECT_EQ(p.g, 0x14);
          EXPECT_EQ(p.b, 0x14);
        }
      }
    const char symbol = value_symbols[index];
    EXPECT_GT(solid, 100) << symbol;
    // Inside y 2..26 of the glyph's units, with a margin on every side,
    // and centred on the cell.
    EXPECT_GE(top, 4) << symbol;
    EXPECT_LE(bottom, side - 5) << symbol;
    EXPECT_GE(left, 4) << symbol;
    EXPECT_LE(right, side - 5) << symbol;
    EXPECT_NEAR((left + right) / 2.0, side / 2.0, 2.0) << symbol;
    EXPECT_NEAR((top + bottom) / 2.0, side / 2.0, 2.0) << symbol;
  }
}

TEST(LogoArt, BuiltInLogoStartsWithItsFrameAndShows) {
  const std::string logo = agg::svg::builtin_logo_svg();
  EXPECT_EQ(logo.rfind("<svg><g><polygon id='bounding_rect' fill='none' points='-74.0516,-17.7543 "
                       "627.696,-17.7543 627.696,632.53 -74.0516,632.53 '/>",
                       0),
            0u);
  TiXmlDocument doc;
  doc.Parse(logo.c_str());
  ASSERT_FALSE(doc.Error()) << doc.ErrorDesc();
  agg::svg::path_renderer drawing;
  agg::svg::parser reader(drawing);
  reader.parse(doc);
  double x1, x2, y1, y2;
  drawing.bounding_rect(x1, x2, y1, y2);
  EXPECT_DOUBLE_EQ(x1, -74.0516);
  EXPECT_DOUBLE_EQ(x2, 627.696);
  EXPECT_DOUBLE_EQ(y1, -17.7543);
  EXPECT_DOUBLE_EQ(y2, 632.53);
  test_image image(120, 120);
  ASSERT_TRUE(agg::svg::render_fitted(drawing, image.view()));
  EXPECT_GT(image.inked_pixels(), 120 * 120 / 2);
}

// The art keeps to what every reading of SVG draws alike: absolute path
// commands without exponents, #rrggbb or named colours, no opacity, and
// only the elements our reader knows.
void check_subset(const TiXmlElement& element, const std::string& where) {
  static const std::set<std::string> elements = {"svg", "g", "path", "rect", "line", "polyline", "polygon", "title"};
  static const std::set<std::string> colour_attributes = {"fill", "stroke"};
  EXPECT_TRUE(elements.count(element.Value())) << where << ": <" << element.Value() << ">";
  for (const TiXmlAttribute* a = element.FirstAttribute(); a; a = a->Next()) {
    const std::string name = a->Name(), value = a->Value();
    EXPECT_EQ(name.find("opacity"), std::string::npos) << where << ": " << name;
    EXPECT_NE(name, "style") << where;
    if (name == "d" || name == "points") {
      for (char c : value)
        EXPECT_TRUE(std::strchr("MLHVCSQTZ0123456789.-, ", c) != nullptr) << where << ": '" << c << "' in " << name;
    }
    if (colour_attributes.count(name) && value != "none" && value[0] == '#') {
      EXPECT_EQ(value.size(), 7u) << where << ": " << value;
    }
  }
  for (const TiXmlElement* child = element.FirstChildElement(); child; child = child->NextSiblingElement())
    check_subset(*child, where);
}

TEST(ArtSubset, AllArtKeepsToTheSubset) {
  const TiXmlDocument glyphs = load_resource("glyphs.dat");
  const TiXmlDocument digits = load_resource("titular_digits.dat");
  TiXmlDocument logo;
  logo.Parse(agg::svg::builtin_logo_svg());
  check_subset(*glyphs.RootElement(), "glyphs.dat");
  check_subset(*digits.RootElement(), "titular_digits.dat");
  check_subset(*logo.RootElement(), "built-in logo");
}

}  // namespace
