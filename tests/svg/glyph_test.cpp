#include "test_image.h"

#include "base/PathBytes.h"
#include "svg/glyph_lookup.h"
#include "svg/svg_exception.h"
#include "svg/xml_document_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

using svg_test::test_image;

namespace {

std::string lookup_error(const TiXmlDocument& doc, int id) {
  try {
    find_svg_node(doc, id);
  } catch (const char* text) {
    return text;
  }
  return "(no error)";
}

TEST(GlyphLookup, FindsTheFirstChildWithTheDecimalId) {
  TiXmlDocument doc;
  doc.Parse(
      "<svg><g id='007' n='a'/><g id=' 12abc' n='b'/><g n='c'/><g id='x5' n='d'/>"
      "<g id='5' n='e'/><g id='5' n='f'/><h><g id='9'/></h></svg>");
  EXPECT_STREQ(find_svg_node(doc, 7)->Attribute("n"), "a");
  EXPECT_STREQ(find_svg_node(doc, 12)->Attribute("n"), "b");
  EXPECT_STREQ(find_svg_node(doc, 5)->Attribute("n"), "e");
  EXPECT_EQ(lookup_error(doc, 99), "No such SVG node!");
  EXPECT_EQ(lookup_error(doc, 9), "No such SVG node!");  // only the root's children count
  EXPECT_EQ(lookup_error(TiXmlDocument(), 7), "No such SVG node!");
}

TEST(GlyphLookup, ReadStreamFileReportsFailure) {
  int value = -1;
  EXPECT_TRUE(read_stream_file(value, "  42 rest", std::dec));
  EXPECT_EQ(value, 42);
  EXPECT_FALSE(read_stream_file(value, "abc", std::dec));
  EXPECT_TRUE(read_stream_file(value, "1f", std::hex));
  EXPECT_EQ(value, 31);
}

TEST(FittedRender, BoxIsScaledUniformlyAndCentred) {
  const struct {
    double x1, x2, y1, y2;
    int w, h;
    double px, py, to_x, to_y;
  } cases[] = {
      {10, 30, 20, 60, 40, 40, 20, 40, 20, 20},                                        // scale min(2, 1) = 1
      {10, 30, 20, 60, 40, 40, 10, 20, 10, 0},  {0, 10, 5, 5, 40, 30, 10, 5, 40, 15},  // no height: fitted by width
      {5, 5, 0, 10, 40, 30, 5, 10, 20, 30},                                            // no width: fitted by height
      {0, 100, 0, 50, 20, 10, 100, 50, 20, 10},                                        // a tie
  };
  for (const auto& c : cases) {
    agg::trans_affine m;
    ASSERT_TRUE(agg::svg::fit_box_matrix(c.x1, c.x2, c.y1, c.y2, c.w, c.h, m));
    double x = c.px, y = c.py;
    m.transform(&x, &y);
    EXPECT_NEAR(x, c.to_x, 1e-9);
    EXPECT_NEAR(y, c.to_y, 1e-9);
  }
  agg::trans_affine m;
  EXPECT_FALSE(agg::svg::fit_box_matrix(1e100, -1e100, 1e100, -1e100, 10, 10, m));
  EXPECT_FALSE(agg::svg::fit_box_matrix(3, 3, 4, 4, 10, 10, m));
}

TEST(FittedRender, InkCoversTheFittedBox) {
  TiXmlDocument doc;
  doc.Parse("<svg><rect x='10' y='20' width='20' height='40'/></svg>");
  test_image image(40, 40, 0x55);  // stale content must be cleared
  ASSERT_TRUE(agg::svg::render_svg_fitted(doc, image.view()));
  EXPECT_EQ(image.at(10, 0).a, 255);
  EXPECT_EQ(image.at(29, 39).a, 255);
  EXPECT_EQ(image.at(9, 20).a, 0);
  EXPECT_EQ(image.at(30, 20).a, 0);
  EXPECT_EQ(image.at(9, 20).r, 0);
}

TEST(FittedRender, BottomUpImagesAreDrawnUpright) {
  TiXmlDocument doc;
  doc.Parse("<svg><rect width='4' height='4' fill='none'/><rect width='4' height='1'/></svg>");
  std::vector<unsigned char> bytes(4 * 4 * 4, 0);
  agg::svg::bgra_view view{bytes.data(), 4, 4, -16};
  ASSERT_TRUE(agg::svg::render_svg_fitted(doc, view));
  EXPECT_EQ(bytes[3 * 16 + 3], 255);  // row 0 is the last row in memory
  EXPECT_EQ(bytes[3], 0);
}

TEST(FittedRender, UnfittableDrawingsLeaveATransparentImage) {
  for (const char* svg : {"<svg><path/><g/></svg>", "<svg><path d='M5 5'/><rect width='9' height='9'/></svg>"}) {
    TiXmlDocument doc;
    doc.Parse(svg);
    test_image image(10, 10, 0x77);
    EXPECT_FALSE(agg::svg::render_svg_fitted(doc, image.view())) << svg;
    EXPECT_TRUE(image.all_transparent()) << svg;
  }
  TiXmlDocument doc;
  doc.Parse("<svg><rect width='9' height='9'/></svg>");
  EXPECT_FALSE(agg::svg::render_svg_fitted(doc, agg::svg::bgra_view{nullptr, 0, 5, 0}));
  unsigned char byte = 0;
  EXPECT_FALSE(agg::svg::render_svg_fitted(doc, agg::svg::bgra_view{&byte, -3, 5, 0}));
}

TEST(FittedRender, ErrorsComeBeforeTheImageIsTouched) {
  TiXmlDocument doc;
  doc.Parse("<svg><rect width='9' height='9'/><path d='M0 0 A'/></svg>");
  test_image image(10, 10, 0x77);
  EXPECT_THROW(agg::svg::render_svg_fitted(doc, image.view()), agg::svg::exception);
  EXPECT_EQ(image.at(0, 0).a, 0x77);
}

class XmlDocumentFile : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* tmp = std::getenv("TMPDIR");
    m_dir = std::filesystem::path(tmp ? tmp : "/tmp") /
            ("svg_tests_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
             std::to_string(reinterpret_cast<std::uintptr_t>(this)));
    std::filesystem::create_directories(m_dir);
  }
  void TearDown() override { std::filesystem::remove_all(m_dir); }

  std::filesystem::path m_dir;
};

TEST_F(XmlDocumentFile, LoadsAWideNamedFile) {
  // The name on disk is UTF-8; the program hands it over as code points.
  std::ofstream(m_dir / "gl\xC3\xBDphs \xE2\x82\xAC.dat", std::ios::binary)
      << "<svg><g id='100'><rect width='1' height='1'/></g></svg>";
  std::wstring wide_dir;
  for (char c : m_dir.string()) wide_dir += static_cast<wchar_t>(static_cast<unsigned char>(c));
  TiXmlDocument doc;
  load_xml_document(doc, wide_dir + L"/gl\u00fdphs \u20ac.dat");
  ASSERT_FALSE(doc.Error());
  EXPECT_NE(find_svg_node(doc, 100), nullptr);
}

TEST_F(XmlDocumentFile, LoadsFromAFolderWhoseNameIsNotUtf8) {
  // A folder made under a Latin-1 locale; its name reaches the program as
  // bytes and must reach the file system as the same bytes.
  const std::string folder = m_dir.string() + "/j\xF6rg";
  std::filesystem::create_directory(folder);
  std::ofstream(folder + "/glyphs.dat", std::ios::binary) << "<svg><g id='100'><rect width='1' height='1'/></g></svg>";
  TiXmlDocument doc;
  load_xml_document(doc, PathFromBytes(folder + "/glyphs.dat"));
  ASSERT_FALSE(doc.Error());
  EXPECT_NE(find_svg_node(doc, 100), nullptr);
}

TEST_F(XmlDocumentFile, AMissingFileLeavesTheDocumentAsItWas) {
  TiXmlDocument doc;
  doc.Parse("<svg><g id='3'/></svg>");
  const std::wstring missing = L"/nonexistent-folder/missing.dat";
  load_xml_document(doc, missing);
  EXPECT_NE(find_svg_node(doc, 3), nullptr);

  TiXmlDocument empty;
  load_xml_document(empty, missing);
  EXPECT_EQ(lookup_error(empty, 100), "No such SVG node!");
}

TEST_F(XmlDocumentFile, DeepOrOverlongFilesAreNotLoaded) {
  // The glyph files and the downloaded logo are read through here.  A file
  // nested 100000 deep would run the parser out of stack: it is refused and
  // leaves an empty document.  A file longer than any drawing is not read.
  std::string deep = "<svg>";
  for (int i = 0; i < 100000; ++i) deep += "<g id='1'>";
  std::ofstream(m_dir / "deep.dat", std::ios::binary) << deep;
  std::ofstream(m_dir / "long.dat", std::ios::binary) << "<svg><g id='7'/></svg>" << std::string(2 * 1024 * 1024, ' ');
  std::wstring wide_dir;
  for (char c : m_dir.string()) wide_dir += static_cast<wchar_t>(static_cast<unsigned char>(c));

  TiXmlDocument doc;
  doc.Parse("<svg><g id='3'/></svg>");
  load_xml_document(doc, wide_dir + L"/deep.dat");
  EXPECT_TRUE(doc.Error());
  EXPECT_EQ(lookup_error(doc, 3), "No such SVG node!");
  EXPECT_EQ(lookup_error(doc, 1), "No such SVG node!");

  TiXmlDocument kept;
  kept.Parse("<svg><g id='3'/></svg>");
  load_xml_document(kept, wide_dir + L"/long.dat");
  EXPECT_EQ(lookup_error(kept, 7), "No such SVG node!");
  EXPECT_EQ(lookup_error(kept, 3), "(no error)");
}

}  // namespace
