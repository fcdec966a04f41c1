#include "tests/support/host_fixture.h"

#include "notus/platform/ownerdrawWin32/svg_glyph.h"
#include "svg/svg_exception.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace host_test {
namespace {

using device = notus::gdi::device<notus::traits>;
using notus::gdi::draw_svg_glyph;
using notus::gdi::load_svg_glyphs;

// Glyph 100 is a red bar whose frame, the first path, spans (10, 20) to
// (30, 60): drawn at 40 x 40 the frame becomes x 10..30, y 0..40.  Glyph 7
// uses an arc, which the reader refuses.
constexpr const char* kGlyphs = R"(<svg>
  <g id="100"><path d="M 10 20 L 30 20 L 30 60 L 10 60 Z" fill="#ff0000"/></g>
  <g id="007"><path d="M 0 0 A 5 5 0 0 1 10 10" fill="#000000"/></g>
</svg>)";

class SvgGlyphTest : public HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    path = ::testing::TempDir() + "glyphs_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".dat";
    std::ofstream(path) << kGlyphs;
    buffer = &back_buffer(100, 80);
    dev = device::create_for_dc(nullptr, nullptr, 5, 5);
  }
  void TearDown() override {
    std::remove(path.c_str());
    HostTest::TearDown();
  }
  void load() { load_svg_glyphs(std::wstring(path.begin(), path.end())); }

  std::string path;
  GDIBuffer* buffer = nullptr;
  std::shared_ptr<device> dev;
};

constexpr std::uint32_t kRed = argb(255, 255, 0, 0);

TEST_F(SvgGlyphTest, RendersOncePerSizeFittedCentredAndAtThePosition) {
  load();
  draw_svg_glyph(*dev, 100, {40, 40}, {10, 0});
  EXPECT_EQ(app::instance().cached_bitmap_count(), 1u);
  // Origin (5, 5) + position (10, 0) + the bitmap's (10..30, 0..40).
  EXPECT_EQ(buffer->pixel(5 + 10 + 20, 5 + 20), kRed);
  EXPECT_EQ(buffer->pixel(5 + 10 + 11, 5 + 1), kRed);
  EXPECT_EQ(buffer->pixel(5 + 10 + 5, 5 + 20), kGrey);
  EXPECT_EQ(buffer->pixel(5 + 10 + 35, 5 + 20), kGrey);
  const RECT ink = ink_box(*buffer, kGrey);
  EXPECT_EQ(ink.left, 25);
  EXPECT_EQ(ink.right, 45);
  EXPECT_EQ(ink.top, 5);
  EXPECT_EQ(ink.bottom, 45);

  // Later requests of that size come from the cache, even with the glyph
  // gone from the document; a new size renders again.
  app::instance().glyph_document().Clear();
  buffer->fill_bytes(225);
  draw_svg_glyph(*dev, 100, {40, 40}, {0, 0});
  EXPECT_EQ(buffer->pixel(5 + 20, 5 + 20), kRed);
  EXPECT_EQ(app::instance().cached_bitmap_count(), 1u);
  try {
    draw_svg_glyph(*dev, 100, {20, 20}, {0, 0});
    FAIL() << "rendered a glyph the document no longer holds";
  } catch (const char* text) {
    EXPECT_STREQ(text, "No such SVG node!");
  }
}

// The cache key cannot hold 1000 px: such a glyph is drawn, not cached and
// not stopping the program.
TEST_F(SvgGlyphTest, AGlyphTooLargeForTheCacheKeyIsDrawnStraight) {
  load();
  for (int twice = 0; twice < 2; ++twice) {
    buffer->fill_bytes(225);
    // The 20 x 40 drawing fitted into 1000 x 40 keeps its scale and is
    // centred at x = 490..510 of the glyph.
    draw_svg_glyph(*dev, 100, {1000, 40}, {-460, 0});
    EXPECT_EQ(buffer->pixel(5 - 460 + 500, 5 + 20), kRed);
    EXPECT_EQ(buffer->pixel(5 - 460 + 480, 5 + 20), kGrey);
  }
  EXPECT_EQ(app::instance().cached_bitmap_count(), 0u);
}

TEST_F(SvgGlyphTest, UnknownIdsAndBadDrawingsFailBeforeAnythingIsStored) {
  load();
  try {
    draw_svg_glyph(*dev, 101, {40, 40}, {0, 0});
    FAIL() << "drew a glyph that does not exist";
  } catch (const char* text) {
    EXPECT_STREQ(text, "No such SVG node!");
  }
  EXPECT_THROW(draw_svg_glyph(*dev, 7, {40, 40}, {0, 0}), agg::svg::exception);
  EXPECT_EQ(app::instance().cached_bitmap_count(), 0u);
  EXPECT_FALSE(app::instance().drawing_bitmap());
  EXPECT_EQ(ink_box(*buffer, kGrey).right, 0);
}

TEST_F(SvgGlyphTest, AMissingFileThrowsAtTheFirstRequest) {
  EXPECT_NO_THROW(load_svg_glyphs(L"/nonexistent/glyphs.dat"));
  try {
    draw_svg_glyph(*dev, 100, {40, 40}, {0, 0});
    FAIL() << "drew from an empty document";
  } catch (const char* text) {
    EXPECT_STREQ(text, "No such SVG node!");
  }
}

}  // namespace
}  // namespace host_test
