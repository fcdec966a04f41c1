#include "tests/support/host_fixture.h"

#include "notus/platform/ownerdrawWin32/device.h"

namespace host_test {
namespace {

using device = notus::gdi::device<notus::traits>;

class DeviceTextTest : public HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    buffer = &back_buffer(200, 60);
  }
  GDIBuffer* buffer = nullptr;
};

TEST_F(DeviceTextTest, ExtentOfEmptyTextHasHeightButNoWidth) {
  auto screen = device::create_for_screen();
  const auto empty = screen->text_extent(L"");
  EXPECT_EQ(empty.width, 0);
  EXPECT_GT(empty.height, 0);
  const auto word = screen->text_extent(L"Hello");
  const auto longer = screen->text_extent(L"Hello, world");
  EXPECT_GT(word.width, 0);
  EXPECT_GT(longer.width, word.width);
  EXPECT_EQ(word.height, empty.height);
  // Measuring needs no back buffer.
  app::instance().release();
  EXPECT_EQ(device::create_for_screen()->text_extent(L"Hello").width, word.width);
}

TEST_F(DeviceTextTest, CentredTextIsCentredInTheShiftedRectangle) {
  auto dev = device::create_for_dc(nullptr, nullptr, 10, 5);
  dev->draw_text(L"Hello", {0, 0, 120, 40}, DT_CENTER | DT_VCENTER);
  const RECT ink = ink_box(*buffer, kGrey);
  ASSERT_GT(ink.right, ink.left);
  EXPECT_GE(ink.left, 10);
  EXPECT_LE(ink.right, 131);
  EXPECT_GE(ink.top, 5);
  EXPECT_LE(ink.bottom, 46);
  EXPECT_NEAR((ink.left + ink.right) / 2.0, 10 + 60, 2.0);
  // Black text on the grey.
  bool dark = false;
  for (int y = ink.top; y < ink.bottom; ++y)
    for (int x = ink.left; x < ink.right; ++x) dark = dark || (buffer->pixel(x, y) & 0xFFFFFF) == 0;
  EXPECT_TRUE(dark);
}

TEST_F(DeviceTextTest, TextStaysInsideItsRectangleAndTheClipBox) {
  auto dev = device::create_for_dc(nullptr, nullptr, 0, 0);
  dev->draw_text(L"A rather long line of text", {20, 10, 60, 40}, 0);
  RECT ink = ink_box(*buffer, kGrey);
  EXPECT_GE(ink.left, 20);
  EXPECT_LE(ink.right, 60);

  back_buffer(200, 60);
  buffer = app::instance().back_buffer().get();
  buffer->set_clip_rect(RECT{0, 0, 50, 60});
  device::create_for_dc(nullptr, nullptr, 0, 0)->draw_text(L"A rather long line of text", {20, 10, 190, 40}, 0);
  ink = ink_box(*buffer, kGrey);
  EXPECT_GE(ink.left, 20);
  EXPECT_EQ(ink.right, 50);
}

TEST_F(DeviceTextTest, TextIntoACachedBitmapLandsThereAtOriginZero) {
  auto dev = device::create_for_dc(nullptr, nullptr, 30, 30);
  dev->begin_bitmap(9, 60, 20);
  dev->draw_text(L"Hi", {0, 0, 60, 20}, DT_CENTER);
  GDIBuffer& bitmap = app::instance().current_target();
  dev->end_bitmap();
  const RECT ink = ink_box(bitmap, 0);
  EXPECT_GT(ink.right, ink.left);
  EXPECT_NEAR((ink.left + ink.right) / 2.0, 30, 2.0);
  EXPECT_EQ(ink_box(*buffer, kGrey).right, 0);
}

}  // namespace
}  // namespace host_test
