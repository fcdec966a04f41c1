#include "tests/support/host_fixture.h"

#include "notus/platform/ownerdrawWin32/device.h"
#include "notus/platform/ownerdrawWin32/device_recorder.h"

#include <string>
#include <vector>

namespace host_test {
namespace {

using device = notus::gdi::device<notus::traits>;
using notus::gdi::pointd;

constexpr std::uint32_t kRed = argb(255, 255, 0, 0);

class DeviceTest : public HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    buffer = &back_buffer(80, 80);
    dev = device::create_for_dc(nullptr, nullptr, 0, 0);
  }
  std::uint32_t at(int x, int y) const { return buffer->pixel(x, y); }

  GDIBuffer* buffer = nullptr;
  std::shared_ptr<device> dev;
};

TEST_F(DeviceTest, FillRectIncludesRightAndBottomAndFollowsTheOrigin) {
  device::create_for_dc(nullptr, nullptr, 5, 5)->fill_rect({0, 0, 10, 10}, RGB(255, 0, 0), 255);
  const RECT ink = ink_box(*buffer, kGrey);
  EXPECT_EQ(ink.left, 5);
  EXPECT_EQ(ink.top, 5);
  EXPECT_EQ(ink.right, 16);
  EXPECT_EQ(ink.bottom, 16);
  EXPECT_EQ(at(15, 15), kRed);
}

TEST_F(DeviceTest, FrameRectIsOnePixelWhateverTheWidth) {
  dev->frame_rect({2, 2, 8, 8}, 3, RGB(255, 0, 0), 255);
  EXPECT_EQ(at(2, 2), kRed);
  EXPECT_EQ(at(8, 8), kRed);
  EXPECT_EQ(at(5, 2), kRed);
  EXPECT_EQ(at(2, 5), kRed);
  EXPECT_EQ(at(3, 3), kGrey);
  EXPECT_EQ(at(5, 5), kGrey);
  EXPECT_EQ(at(9, 5), kGrey);
}

// The recording hook sees each call as the strategy made it, in window
// coordinates, and nothing once it is removed.
TEST_F(DeviceTest, TheRecorderSeesEveryCallWithItsArguments) {
  std::vector<std::string> calls;
  notus::gdi::set_device_recorder([&](const std::string& call) { calls.push_back(call); });
  auto shifted = device::create_for_dc(nullptr, nullptr, 5, 5);
  shifted->fill_rect({0, 0, 10, 10}, 0x8CEFDE, 240);
  shifted->frame_rounded_rect_radii({1, 2, 30, 20}, {5, 5, 5, 5, 0, 0, 0, 0}, 1.5, 0x185239, 255);
  const pointd tick[] = {{1, 2.5}, {3, 4}, {5, 1}};
  shifted->fill_polygon(tick, 3, 0x000073, 200);
  shifted->draw_text(L"Caf\u00E9", {3, 3, 70, 20}, DT_VCENTER);
  shifted->begin_bitmap(4, 60, 20);
  shifted->end_bitmap();
  shifted->draw_bitmap(4, {60, 20}, {0, 0});
  notus::gdi::set_device_recorder(nullptr);
  shifted->fill_rect({0, 0, 1, 1}, 0, 255);

  const std::vector<std::string> expected = {
      "fill_rect({0,0,10,10}, 0x8CEFDE, 240)",
      "frame_rounded_rect_radii({1,2,30,20}, [5 5 5 5 0 0 0 0], 1.5, 0x185239, 255)",
      "fill_polygon([(1,2.5) (3,4) (5,1)], 0x000073, 200)",
      "draw_text(\"Caf\xC3\xA9\", {3,3,70,20}, 4)",
      "begin_bitmap(4, 60, 20)",
      "end_bitmap()",
      "draw_bitmap(4, 60x20, (0,0))",
  };
  EXPECT_EQ(calls, expected);
}

struct ShapeCase {
  const char* name;
  void (*draw)(device&, unsigned char alpha);
  POINT inside;
  std::vector<POINT> outside;
};

void rounded(device& d, unsigned char a) { d.fill_rounded_rect({10, 10, 50, 40}, 8, RGB(255, 0, 0), a); }
void rounded_radii(device& d, unsigned char a) {
  // Radii far beyond the sides are scaled down, not crossed over.
  d.fill_rounded_rect_radii({10, 10, 50, 40}, {100, 100, 100, 100, 100, 100, 100, 100}, RGB(255, 0, 0), a);
}
void rounded_frame(device& d, unsigned char a) { d.frame_rounded_rect({10, 10, 50, 40}, 6, 2, RGB(255, 0, 0), a); }
void rounded_frame_radii(device& d, unsigned char a) {
  d.frame_rounded_rect_radii({10, 10, 50, 40}, {0, 0, 10, 10, 0, 0, 10, 10}, 2, RGB(255, 0, 0), a);
}
void ellipse(device& d, unsigned char a) { d.fill_ellipse(RGB(255, 0, 0), a, 30, 30, 10, 5); }
void ellipse_frame(device& d, unsigned char a) { d.frame_ellipse(4, RGB(255, 0, 0), a, 30, 30, 10, 5, 64, true); }
void triangle(device& d, unsigned char a) {
  const pointd points[] = {{10, 10}, {50, 10}, {10, 50}};
  d.fill_polygon(points, 3, RGB(255, 0, 0), a);
}
void open_line(device& d, unsigned char a) {
  const pointd points[] = {{10, 10}, {50, 10}, {50, 50}};
  d.draw_polyline(points, 4, 3, RGB(255, 0, 0), a);
}

class ShapeTable : public DeviceTest, public ::testing::WithParamInterface<ShapeCase> {};

TEST_P(ShapeTable, ColoursInsideOnlyAndRespectsAlpha) {
  const ShapeCase& c = GetParam();
  c.draw(*dev, 255);
  EXPECT_EQ(at(c.inside.x, c.inside.y), kRed) << c.name;
  for (const POINT& p : c.outside) EXPECT_EQ(at(p.x, p.y), kGrey) << c.name << " at " << p.x << "," << p.y;

  back_buffer(80, 80);
  buffer = app::instance().back_buffer().get();
  c.draw(*device::create_for_dc(nullptr, nullptr, 0, 0), 128);
  // 225 * 127 / 256 = 111 under red at 128, held at 255 in the red channel;
  // alpha 255 - 30 * 127 / 256.
  EXPECT_EQ(at(c.inside.x, c.inside.y), argb(241, 255, 111, 111)) << c.name;
}

TEST_P(ShapeTable, FollowsTheOrigin) {
  const ShapeCase& c = GetParam();
  c.draw(*device::create_for_dc(nullptr, nullptr, 7, 3), 255);
  EXPECT_EQ(at(c.inside.x + 7, c.inside.y + 3), kRed) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, ShapeTable,
    ::testing::Values(ShapeCase{"rounded", &rounded, {30, 25}, {{10, 10}, {11, 11}, {49, 39}, {9, 25}, {51, 25}}},
                      ShapeCase{"rounded radii", &rounded_radii, {30, 25}, {{11, 11}, {48, 11}, {11, 38}, {48, 38}}},
                      ShapeCase{"rounded frame", &rounded_frame, {30, 10}, {{30, 25}, {13, 13}, {30, 13}}},
                      ShapeCase{"rounded frame radii", &rounded_frame_radii, {10, 25}, {{30, 25}, {48, 38}}},
                      ShapeCase{"ellipse", &ellipse, {30, 30}, {{30, 37}, {41, 30}, {22, 24}}},
                      ShapeCase{"ellipse frame", &ellipse_frame, {39, 30}, {{30, 30}, {35, 30}, {30, 38}}},
                      ShapeCase{"polygon", &triangle, {15, 15}, {{45, 45}, {35, 35}, {9, 30}}},
                      // The polyline stays open: no stroke back from (50, 50) to (10, 10).
                      ShapeCase{"polyline", &open_line, {30, 10}, {{30, 30}, {20, 20}, {30, 14}}}),
    [](const auto& info) {
      std::string name = info.param.name;
      for (char& c : name)
        if (c == ' ') c = '_';
      return name;
    });

}  // namespace
}  // namespace host_test
