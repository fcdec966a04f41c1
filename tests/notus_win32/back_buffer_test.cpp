#include "tests/support/host_fixture.h"

#include "notus/platform/ownerdrawWin32/device.h"

namespace host_test {
namespace {

using device = notus::gdi::device<notus::traits>;

struct BlendCase {
  unsigned alpha;
  unsigned destination;  // every byte of the pixel, alpha included
  std::uint32_t expected;
};

class BlendTable : public HostTest, public ::testing::WithParamInterface<BlendCase> {};

// The colour (200, 100, 50) drawn at full coverage.
TEST_P(BlendTable, MixesAsTheBackBufferFormulaSaysAndSaturates) {
  const BlendCase& c = GetParam();
  GDIBuffer& buffer = back_buffer(4, 4);
  buffer.fill_bytes(static_cast<unsigned char>(c.destination));
  device::create_for_dc(nullptr, nullptr, 0, 0)
      ->fill_rect({1, 1, 2, 2}, RGB(200, 100, 50), static_cast<unsigned char>(c.alpha));
  EXPECT_EQ(buffer.pixel(1, 1), c.expected) << std::hex << buffer.pixel(1, 1);
  const std::uint32_t untouched = c.destination * 0x01010101u;
  EXPECT_EQ(buffer.pixel(0, 0), untouched);
  EXPECT_EQ(buffer.pixel(3, 3), untouched);
}

INSTANTIATE_TEST_SUITE_P(
    Blend, BlendTable,
    ::testing::Values(BlendCase{255, 0, argb(255, 200, 100, 50)}, BlendCase{255, 255, argb(255, 200, 100, 50)},
                      BlendCase{240, 0, argb(241, 200, 100, 50)}, BlendCase{240, 255, argb(255, 214, 114, 64)},
                      BlendCase{200, 0, argb(201, 200, 100, 50)}, BlendCase{200, 255, argb(255, 254, 154, 104)},
                      // Light pixels under a faint colour: held at 255, not wrapped round.
                      BlendCase{50, 0, argb(51, 200, 100, 50)}, BlendCase{50, 255, argb(255, 255, 255, 254)},
                      BlendCase{0, 0, argb(0, 0, 0, 0)}, BlendCase{0, 255, argb(255, 255, 255, 255)}));

TEST_F(HostTest, ANewBackBufferIsGreyAndBecomesTheTarget) {
  GDIBuffer& buffer = back_buffer(30, 20);
  EXPECT_EQ(buffer.width(), 30);
  EXPECT_EQ(buffer.height(), 20);
  EXPECT_EQ(ink_box(buffer, kGrey).right, 0);
  EXPECT_EQ(&app::instance().current_target(), &buffer);
  EXPECT_FALSE(app::instance().drawing_bitmap());
}

TEST_F(HostTest, RowZeroIsTheTopOfTheBottomUpImage) {
  GDIBuffer& buffer = back_buffer(3, 2);
  buffer.renderer().copy_pixel(0, 0, agg::rgba8(1, 2, 3, 4));
  // The last row in memory is the top row of the picture.
  const unsigned char* top_left = buffer.pixels() + 3 * GDIBuffer::bytes_per_pixel;
  EXPECT_EQ(top_left[0], 3);  // blue
  EXPECT_EQ(top_left[2], 1);  // red
  EXPECT_EQ(buffer.pixel(0, 0), argb(4, 1, 2, 3));
}

TEST_F(HostTest, BuffersWithoutPixelsAreLegalAndDrawNothing) {
  for (const auto& [w, h] : {std::pair{0, 10}, std::pair{10, 0}, std::pair{-5, 4}, std::pair{0, 0}}) {
    GDIBuffer& buffer = back_buffer(w, h);
    EXPECT_EQ(buffer.pixels(), nullptr);
    EXPECT_EQ(buffer.width(), 0);
    auto dev = device::create_for_dc(nullptr, nullptr, 0, 0);
    dev->fill_rect({0, 0, 10, 10}, RGB(1, 2, 3), 255);
    dev->fill_ellipse(RGB(1, 2, 3), 255, 5, 5, 5, 5);
    dev->draw_text(L"text", {0, 0, 10, 10}, 0);
    buffer.blit(nullptr, RECT{0, 0, 5, 5}, POINT{0, 0});
  }
}

TEST_F(HostTest, ClipRectangleLimitsDrawingAndResets) {
  GDIBuffer& buffer = back_buffer(20, 20);
  buffer.set_clip_rect(RECT{5, 5, 10, 10});
  EXPECT_EQ(buffer.clip_rect().right, 10);
  device::create_for_dc(nullptr, nullptr, 0, 0)->fill_rect({0, 0, 19, 19}, RGB(0, 0, 0), 255);
  const RECT ink = ink_box(buffer, kGrey);
  EXPECT_EQ(ink.left, 5);
  EXPECT_EQ(ink.top, 5);
  EXPECT_EQ(ink.right, 10);
  EXPECT_EQ(ink.bottom, 10);

  buffer.set_clip_rect(RECT{8, 8, 8, 30});  // empty: nothing may be drawn
  device::create_for_dc(nullptr, nullptr, 0, 0)->fill_rect({0, 0, 19, 19}, RGB(255, 0, 0), 255);
  EXPECT_EQ(buffer.pixel(8, 8), argb(255, 0, 0, 0));

  buffer.reset_clip();
  const RECT whole = buffer.clip_rect();
  EXPECT_EQ(whole.left, 0);
  EXPECT_EQ(whole.right, 20);
  EXPECT_EQ(whole.bottom, 20);
}

class CopyTest : public HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    WNDCLASSW wc{};
    wc.lpfnWndProc = &DefWindowProcW;
    wc.lpszClassName = L"Copy Target";
    RegisterClassW(&wc);
    window = CreateWindowExW(0, L"Copy Target", L"", WS_VISIBLE, 0, 0, 40, 30, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
  }
  HWND window = nullptr;
};

TEST_F(CopyTest, BlitCopiesTheRectangleToTheSamePlace) {
  GDIBuffer& buffer = back_buffer(40, 30);
  device::create_for_dc(nullptr, nullptr, 0, 0)->fill_rect({0, 0, 39, 29}, RGB(10, 20, 30), 255);
  const HDC dc = GetDC(window);
  buffer.blit(dc, RECT{5, 6, 15, 16}, POINT{5, 6});
  ReleaseDC(window, dc);
  const winapi::Image shown = winapi::headless::Capture(window);
  EXPECT_EQ(shown.At(5, 6) & 0xFFFFFF, 0x0A141Eu);
  EXPECT_EQ(shown.At(14, 15) & 0xFFFFFF, 0x0A141Eu);
  EXPECT_EQ(shown.At(15, 16) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(shown.At(4, 6) & 0xFFFFFF, 0xFFFFFFu);
}

TEST_F(CopyTest, CopyFromADcKeepsToTheClipBox) {
  GDIBuffer& buffer = back_buffer(40, 30);
  buffer.set_clip_rect(RECT{0, 0, 10, 10});
  const HDC dc = GetDC(window);  // a white surface
  buffer.copy_from_dc(dc, RECT{0, 0, 20, 20}, POINT{0, 0});
  ReleaseDC(window, dc);
  EXPECT_EQ(buffer.pixel(9, 9) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(buffer.pixel(10, 10), kGrey);
  EXPECT_EQ(buffer.pixel(15, 5), kGrey);
}

}  // namespace
}  // namespace host_test
