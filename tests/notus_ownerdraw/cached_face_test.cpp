// Cached faces: made once per (id, size), blended from then on; a face too
// large for the cache key is drawn straight every time.

#include "notus/ownerdraw/cached_face.h"

#include <string>
#include <vector>

#include "notus/platform/ownerdrawWin32/device_recorder.h"
#include "tests/support/host_fixture.h"

namespace {

using notus::ownerdraw::draw_cached_face;
using notus::ownerdraw::face_device;

class CachedFaceTest : public host_test::HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    back_buffer(1200, 100);
    installed.Install(&notus::gdi::set_device_recorder, [this](const std::string& call) { calls.push_back(call); });
    dev = face_device::create_for_dc(nullptr, nullptr, 0, 0);
  }

  // Draws face `id` and answers what was recorded meanwhile.
  std::vector<std::string> Face(unsigned id, int width, int height, int x = 0, int y = 0) {
    calls.clear();
    draw_cached_face(*dev, id, {width, height}, {x, y}, [](face_device& d, int left, int top) {
      d.fill_rect({left, top, left + 1, top + 1}, 0x84CEA5, 240);
    });
    return calls;
  }

  std::vector<std::string> calls;
  std::shared_ptr<face_device> dev;
};

TEST_F(CachedFaceTest, IsMadeOncePerIdAndSize) {
  const std::vector<std::string> made = {"draw_bitmap(4, 60x20, (5,6))", "begin_bitmap(4, 60, 20)",
                                         "fill_rect({0,0,1,1}, 0x84CEA5, 240)", "end_bitmap()",
                                         "draw_bitmap(4, 60x20, (5,6))"};
  EXPECT_EQ(Face(4, 60, 20, 5, 6), made);
  EXPECT_EQ(Face(4, 60, 20, 5, 6), std::vector<std::string>{"draw_bitmap(4, 60x20, (5,6))"});
  EXPECT_EQ(Face(3, 60, 20).size(), 5u) << "another id is another face";
  EXPECT_EQ(Face(4, 61, 20).size(), 5u) << "another size is another face";
  EXPECT_EQ(Face(4, 60, 20).size(), 1u);
}

TEST_F(CachedFaceTest, AFaceTooLargeForTheKeyIsDrawnStraight) {
  for (int twice = 0; twice < 2; ++twice) {
    EXPECT_EQ(Face(4, 1000, 20, 7, 8), std::vector<std::string>{"fill_rect({7,8,8,9}, 0x84CEA5, 240)"});
    EXPECT_EQ(Face(4, 20, 1000), std::vector<std::string>{"fill_rect({0,0,1,1}, 0x84CEA5, 240)"});
  }
  EXPECT_EQ(host_test::app::instance().cached_bitmap_count(), 0u);
}

}  // namespace
