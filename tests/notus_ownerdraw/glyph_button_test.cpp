// Glyph buttons: the face and the glyph by state, the glyph drawer's
// arguments, and the SVG drawer when no other is installed.

#include "notus/ownerdraw/glyph_button.h"

#include <cstdio>
#include <fstream>
#include <string>

#include "notus/platform/ownerdrawWin32/svg_glyph.h"
#include "tests/support/widget_fixture.h"

namespace {

using namespace widget_test;
using notus::ownerdraw::glyph_button_view;

class GlyphButton : public WidgetTest {
 protected:
  GlyphButton() {
    place(button, {10, 10, 70, 30});
    auto& m = button.model();
    m.glyph_id1 = 106;
    m.glyph_id2 = 107;
    m.glyph_id3 = 108;
    m.id = 2;
  }

  // The face drawn and the glyph call, from one paint.
  std::string face_and_glyph() {
    std::string out;
    for (const std::string& c : paint())
      if (c.rfind("draw_bitmap", 0) == 0 || c.rfind("glyph", 0) == 0 || c.rfind("frame_rounded_rect({2", 0) == 0)
        if (out.find(c) == std::string::npos) out += (out.empty() ? "" : " ") + c;
    return out;
  }

  glyph_button_view button;
};

TEST_F(GlyphButton, StartsWithEveryIdZero) {
  glyph_button_view fresh;
  const auto& m = fresh.model();
  EXPECT_EQ(m.id, 0u);
  EXPECT_EQ(m.glyph_id1 + m.glyph_id2 + m.glyph_id3 + m.spare, 0u);
  EXPECT_FALSE(m.pressed);
}

// The glyph fills the face inset by one pixel, over the face, in every state.
TEST_F(GlyphButton, FaceAndGlyphByState) {
  EXPECT_EQ(face_and_glyph(), "draw_bitmap(4, 60x20, (0,0)) glyph(106, 58x18, (1,1))");
  window_ops::disable(button.display().handle());
  EXPECT_EQ(face_and_glyph(), "draw_bitmap(5, 60x20, (0,0)) glyph(108, 58x18, (1,1))");
  window_ops::enable(button.display().handle());

  std::vector<std::string> clicks;
  auto form = listen(button, [&](platform_event& e) {
    if (e.kind.get_if<notus::impl::kind_click>()) clicks.push_back("click");
  });
  press(20, 20);
  EXPECT_EQ(face_and_glyph(),
            "draw_bitmap(3, 60x20, (0,0)) glyph(107, 58x18, (1,1)) frame_rounded_rect({2,2,58,18}, 5, 2, 0x009BFF, "
            "255)");
  route(mouse(mouse_action::move, 80, 20));
  release(80, 20);
  EXPECT_EQ(face_and_glyph(),
            "draw_bitmap(4, 60x20, (0,0)) glyph(106, 58x18, (1,1)) frame_rounded_rect({2,2,58,18}, 5, 2, 0x009BFF, "
            "255)");
  EXPECT_TRUE(clicks.empty());
}

// Glyph 100's frame, its first path, spans (10, 20) to (30, 60).
constexpr const char* kGlyphs = R"(<svg>
  <g id="100"><path d="M 10 20 L 30 20 L 30 60 L 10 60 Z" fill="#ff0000"/></g>
</svg>)";

TEST_F(GlyphButton, WithoutAnInstalledDrawerTheSvgGlyphIsDrawn) {
  const std::string path = ::testing::TempDir() + "widget_glyphs_" +
                           std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + ".dat";
  std::ofstream(path) << kGlyphs;
  notus::gdi::load_svg_glyphs(std::wstring(path.begin(), path.end()));
  std::remove(path.c_str());
  notus::ownerdraw::set_glyph_drawer(nullptr);
  button.model().glyph_id1 = 100;

  const calls drawn = paint();
  EXPECT_EQ(count(drawn, "begin_bitmap(100, 58, 18)"), 1);
  EXPECT_EQ(count(drawn, "draw_bitmap(100, 58x18, (1,1))"), 2) << "a miss, then the new glyph";
  // Red in the middle of the button, over the face.
  const std::uint32_t middle = host_test::app::instance().back_buffer()->pixel(40, 20);
  EXPECT_EQ(middle & 0xFFFFFF, 0xFF0000u);
}

}  // namespace
