#include "tests/support/host_fixture.h"

#include "notus/platform/ownerdrawWin32/device.h"

namespace host_test {
namespace {

using device = notus::gdi::device<notus::traits>;

class ImageCacheTest : public HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    buffer = &back_buffer(60, 40);
    dev = device::create_for_dc(nullptr, nullptr, 20, 10);
  }
  GDIBuffer* buffer = nullptr;
  std::shared_ptr<device> dev;
};

TEST_F(ImageCacheTest, KeysSeparateIdsAndSizes) {
  EXPECT_EQ(app::image_key(7, 40, 30), 40030007u);
  dev->begin_bitmap(7, 40, 30);
  dev->end_bitmap();
  dev->begin_bitmap(7, 20, 15);
  dev->end_bitmap();
  dev->begin_bitmap(8, 20, 15);
  dev->end_bitmap();
  EXPECT_EQ(app::instance().cached_bitmap_count(), 3u);
  EXPECT_NE(app::instance().find_bitmap(7, 40, 30), app::instance().find_bitmap(7, 20, 15));
  EXPECT_EQ(app::instance().find_bitmap(7, 15, 20), nullptr);

  // Drawing the same key again replaces the entry.
  const auto old = app::instance().find_bitmap(7, 40, 30);
  dev->begin_bitmap(7, 40, 30);
  dev->end_bitmap();
  EXPECT_EQ(app::instance().cached_bitmap_count(), 3u);
  EXPECT_NE(app::instance().find_bitmap(7, 40, 30), old);
}

TEST_F(ImageCacheTest, BitmapsStartTransparentAndDrawAtOriginZero) {
  dev->begin_bitmap(3, 10, 8);
  EXPECT_TRUE(app::instance().drawing_bitmap());
  EXPECT_EQ(dev->origin().x, 0);
  EXPECT_EQ(dev->origin().y, 0);
  GDIBuffer& bitmap = app::instance().current_target();
  EXPECT_EQ(ink_box(bitmap, 0).right, 0);
  dev->fill_rect({0, 0, 1, 1}, RGB(255, 0, 0), 255);
  dev->end_bitmap();
  EXPECT_EQ(dev->origin().x, 20);
  EXPECT_EQ(dev->origin().y, 10);
  EXPECT_EQ(bitmap.pixel(1, 1), argb(255, 255, 0, 0));
  // The back buffer was not drawn into while the bitmap was the target.
  EXPECT_EQ(ink_box(*buffer, kGrey).right, 0);
}

TEST_F(ImageCacheTest, DrawBitmapMissesThenBlendsTheHitWithItsAlpha) {
  EXPECT_FALSE(dev->draw_bitmap(5, {4, 4}, {1, 2}));
  EXPECT_EQ(ink_box(*buffer, kGrey).right, 0);

  dev->begin_bitmap(5, 4, 4);
  dev->fill_rect({0, 0, 1, 3}, RGB(0, 0, 0), 255);  // opaque black, left half
  dev->fill_rect({2, 0, 3, 3}, RGB(0, 0, 0), 128);  // half-transparent black, right half
  dev->end_bitmap();
  EXPECT_TRUE(dev->draw_bitmap(5, {4, 4}, {1, 2}));

  // Origin (20, 10) plus position (1, 2).
  EXPECT_EQ(buffer->pixel(21, 12), argb(255, 0, 0, 0));
  // 225 under alpha 129 (what black at 128 leaves on transparent black).
  EXPECT_EQ(buffer->pixel(23, 12) & 0xFFFFFF, 0x6E6E6Eu);
  const RECT ink = ink_box(*buffer, kGrey);
  EXPECT_EQ(ink.left, 21);
  EXPECT_EQ(ink.top, 12);
  EXPECT_EQ(ink.right, 25);
  EXPECT_EQ(ink.bottom, 16);
}

TEST_F(ImageCacheTest, SizesWithoutPixelsStoreAndDrawNothing) {
  dev->begin_bitmap(4, 0, 10);
  dev->fill_rect({0, 0, 5, 5}, RGB(0, 0, 0), 255);
  dev->end_bitmap();
  EXPECT_EQ(app::instance().cached_bitmap_count(), 0u);
  EXPECT_EQ(ink_box(*buffer, kGrey).right, 0);
  EXPECT_TRUE(dev->draw_bitmap(4, {0, 10}, {0, 0}));
  EXPECT_TRUE(dev->draw_bitmap(4, {-3, 10}, {0, 0}));
}

using ImageCacheDeathTest = ImageCacheTest;

TEST_F(ImageCacheDeathTest, KeysOf1000OrMoreStopTheProgram) {
  EXPECT_DEATH(dev->begin_bitmap(1000, 10, 10), "key < 1000");
  EXPECT_DEATH(dev->draw_bitmap(3, {1000, 10}, {0, 0}), "m_pixelFormat.width\\(\\) < 1000");
  EXPECT_DEATH(dev->begin_bitmap(3, 10, 1000), "m_pixelFormat.height\\(\\) < 1000");
}

TEST_F(ImageCacheDeathTest, DrawingWithoutABackBufferStopsTheProgram) {
  app::instance().release();
  EXPECT_DEATH(device::create_for_dc(nullptr, nullptr, 0, 0)->fill_rect({0, 0, 1, 1}, 0, 255), "px != 0");
}

}  // namespace
}  // namespace host_test
