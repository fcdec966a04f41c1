// The scroll bar: its model as one table of calls, the layout of its parts,
// and its mouse handling driven through the controller: paging on the track,
// dragging the box, stepping with the arrows, and the notifications an owner
// hears.

#include "notus/ownerdraw/scroll_bar.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/support/sizing_host.h"
#include "tests/support/widget_fixture.h"

namespace {

using namespace widget_test;
namespace od = notus::ownerdraw;

// "range a b c d", "pos v", "clamp lo hi v" or "step s", one after another;
// each call's answer ("true", "false", a number, "<exception>: <text>"), then
// the model as "min..max page P pos P step S last L".
std::string run_model(const std::vector<std::string>& steps) {
  od::scrollbar_model m;
  std::string out;
  for (const std::string& step : steps) {
    std::istringstream in(step);
    std::string what;
    int a = 0, b = 0, c = 0, d = 0;
    in >> what >> a >> b >> c >> d;
    try {
      if (what == "range") out += m.set_range(a, b, c, d) ? "true" : "false";
      if (what == "pos") out += m.set_position(a) ? "true" : "false";
      if (what == "clamp") out += std::to_string(od::clamp_range(a, b, c));
      if (what == "step") m.step = a;
    } catch (const std::invalid_argument& e) {
      out += std::string("invalid_argument: ") + e.what();
    } catch (const std::range_error& e) {
      out += std::string("range_error: ") + e.what();
    }
    out += "; ";
  }
  return out + std::to_string(m.min) + ".." + std::to_string(m.max) + " page " + std::to_string(m.page) + " pos " +
         std::to_string(m.position) + " step " + std::to_string(m.step) + " last " +
         std::to_string(m.last_first_position());
}

TEST(ScrollModel, CallsAndTheirAnswers) {
  const std::string beyond = "range_error: Position is more then Max first position allowed.";
  struct {
    const char* name;
    std::vector<std::string> steps;
    std::string expected;
  } cases[] = {
      {"a range, then a position past the last page",
       {"step 5", "range 0 10 4 6", "pos 7"},
       "; true; " + beyond + "; 0..10 page 4 pos 6 step 1 last 6"},
      {"more room than items", {"range 0 3 5 0", "pos 1"}, "false; " + beyond + "; 0..3 page 5 pos 0 step 1 last 0"},
      {"no page", {"range 0 10 0 0", "pos 1"}, "false; " + beyond + "; 0..10 page 0 pos 0 step 1 last 0"},
      {"the same position again",
       {"range 0 10 4 3", "pos 3", "pos 0"},
       "true; false; true; 0..10 page 4 pos 0 step 1 last 6"},
      {"below the minimum",
       {"range 2 10 4 2", "pos 1"},
       "true; range_error: Position is less then Minimum.; 2..10 page 4 pos 2 step 1 last 6"},
      {"minimum above maximum",
       {"range 5 4 1 0"},
       "invalid_argument: Minimum is greater then Maximum.; 0..0 page 0 pos 0 step 1 last 0"},
      // What an owner gets when it shrinks the range under the position: the
      // range is stored, the position is not.
      {"a shrunk range with the old position",
       {"range 0 10 4 6", "range 0 5 4 6"},
       "true; " + beyond + "; 0..5 page 4 pos 6 step 1 last 1"},
      {"clamping",
       {"clamp 0 6 9", "clamp 0 6 -1", "clamp 0 6 3", "clamp 2 2 0"},
       "6; 0; 3; 2; 0..0 page 0 pos 0 step 1 last 0"},
      {"clamping to an empty range",
       {"clamp 3 2 0"},
       "range_error: Min is bigger then Max.; 0..0 page 0 pos 0 step 1 last 0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(run_model(c.steps), c.expected);
  }
}

std::string describe(const notus::rect<traits>& r) {
  return "{" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom) + "}";
}

class ScrollBar : public WidgetTest {
 protected:
  void SetUp() override {
    WidgetTest::SetUp();
    sizing_host::install();
  }

  // The bar at x 100..119 of the main window; it lays out on its size event.
  std::unique_ptr<od::scroll_bar_view> bar(int height = 200) {
    auto b = std::make_unique<od::scroll_bar_view>();
    window_ops::move(b->display().handle(), {100, 0});
    window_ops::resize(b->display().handle(), {20, height}, true);
    return b;
  }

  static void set(od::scroll_bar_view& b, int max, int page, int position) {
    b.model().set_range(0, max, page, position);
    od::announce(b.model());
  }

  static od::vertical_scrollbar_main_strategies& parts(od::scroll_bar_view& b) {
    return b.strategy<od::vertical_scrollbar_main_strategies>();
  }

  // "up U down D track T box B".
  static std::string layout(od::scroll_bar_view& b) {
    auto& s = parts(b);
    return "up " + describe(s.up->display().rectangle()) + " down " + describe(s.down->display().rectangle()) +
           " track " + describe(s.track_rect) + " box " + describe(s.box->display().rectangle());
  }

  // The scroll notifications the bar's owner hears, as "tag:position".
  notus::shared_connection<> hear_scrolls(od::scroll_bar_view& b) {
    return listen(b, [this](platform_event& e) {
      if (auto* s = e.kind.get_if<notus::impl::kind_scroll>())
        heard.push_back(std::to_string(s->tag) + ":" + std::to_string(s->position));
    });
  }

  std::vector<std::string> heard;
};

TEST_F(ScrollBar, PartsAndBoxFollowTheSizeAndTheModel) {
  struct {
    const char* name;
    int height, max, page, position;
    const char* expected;
  } cases[] = {
      {"no range", 200, 0, 0, 0, "up {0,0,20,20} down {0,180,20,200} track {0,20,20,180} box {0,20,20,180}"},
      {"top page", 200, 10, 4, 0, "up {0,0,20,20} down {0,180,20,200} track {0,20,20,180} box {0,20,20,84}"},
      {"last page", 200, 10, 4, 6, "up {0,0,20,20} down {0,180,20,200} track {0,20,20,180} box {0,116,20,180}"},
      {"truncated", 200, 7, 3, 2, "up {0,0,20,20} down {0,180,20,200} track {0,20,20,180} box {0,65,20,133}"},
      {"more room than items", 200, 3, 5, 0,
       "up {0,0,20,20} down {0,180,20,200} track {0,20,20,180} box {0,20,20,180}"},
      // The arrows share the height rather than lie over each other.
      {"shorter than its arrows", 30, 10, 4, 0, "up {0,0,20,15} down {0,15,20,30} track {0,15,20,15} box {0,15,20,15}"},
      {"odd and shorter", 25, 10, 4, 0, "up {0,0,20,12} down {0,13,20,25} track {0,12,20,13} box {0,12,20,12}"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto b = bar(c.height);
    set(*b, c.max, c.page, c.position);
    EXPECT_EQ(layout(*b), c.expected);
  }
  // A later size event lays the parts out anew.
  auto b = bar(200);
  set(*b, 10, 4, 6);
  window_ops::resize(b->display().handle(), {16, 100}, true);
  EXPECT_EQ(layout(*b), "up {0,0,16,16} down {0,84,16,100} track {0,16,16,84} box {0,56,16,83}");
}

// The pointer lies at y on the bar; the box, 32 px for page 2 of 10 on a
// 160-px track, is grabbed 5 px below its top.  Each position is 16 px.
TEST_F(ScrollBar, TheDraggedBoxFollowsThePointerAndAHalfRoundsDown) {
  auto b = bar();
  set(*b, 10, 2, 0);
  b->model().tag = 7;
  auto heard_scrolls = hear_scrolls(*b);
  auto& s = parts(*b);
  press(110, 25);
  ASSERT_TRUE(s.box->display().has_capture());
  EXPECT_EQ(only(paint(), "fill_rounded_rect({1,21,19,51}"), calls{"fill_rounded_rect({1,21,19,51}, 2, 0x06814C, 200)"})
      << "the pressed colour while dragged";

  struct {
    int y;
    int position, box_top;
    std::vector<std::string> heard;
  } moves[] = {
      {65, 2, 60, {"7:2"}},  // (65 - 5 - 20) / 16 = 2.5: stays 2
      {66, 3, 61, {"7:3"}},  // 2.5625
      {67, 3, 62, {}},       // the same position: the box moves alone
      {20, 0, 20, {"7:0"}},  // above the track: the box stops at its top
      {400, 8, 148, {"7:8"}},
  };
  for (const auto& m : moves) {
    SCOPED_TRACE(m.y);
    heard.clear();
    b->display().handle().get()->set_dirty(false);
    route(mouse(mouse_action::move, 110, m.y));
    EXPECT_EQ(b->model().position, m.position);
    EXPECT_EQ(s.box->display().rectangle().top, m.box_top);
    EXPECT_EQ(s.box->display().rectangle().bottom - m.box_top, 32);
    EXPECT_EQ(heard, m.heard);
    EXPECT_TRUE(dirty(*b)) << "the box is drawn where it went";
  }

  // The release announces even an unchanged position and puts the box in
  // its place for that position.
  heard.clear();
  release(110, 400);
  EXPECT_EQ(heard, std::vector<std::string>{"7:8"});
  EXPECT_EQ(describe(s.box->display().rectangle()), "{0,148,20,180}");
  EXPECT_EQ(controller.capturing(), nullptr);
  EXPECT_EQ(only(paint(), "fill_rounded_rect({1,149,19,179}"),
            calls{"fill_rounded_rect({1,149,19,179}, 2, 0x84CEA5, 207)"});

  // A move without the box's capture drags nothing.
  route(mouse(mouse_action::move, 110, 30));
  EXPECT_EQ(b->model().position, 8);
}

TEST_F(ScrollBar, ATrackPressPagesWithoutArmingTheBoxItUncovers) {
  auto b = bar();
  set(*b, 10, 4, 6);  // box 116..179
  auto heard_scrolls = hear_scrolls(*b);
  auto& s = parts(*b);
  std::vector<std::string> box_saw;
  auto box_listener = listen(*s.box, [&box_saw](platform_event& e) {
    if (auto* m = e.kind.get_if<notus::impl::kind_mouse>())
      box_saw.push_back(std::to_string(m->x) + "," + std::to_string(m->y));
  });

  press(110, 60);  // above the box, which then covers 52..115
  EXPECT_EQ(b->model().position, 2);
  EXPECT_EQ(heard, std::vector<std::string>{"0:2"});
  EXPECT_EQ(box_saw, std::vector<std::string>{"-3333,-3333"});
  EXPECT_FALSE(s.box->display().has_capture());
  EXPECT_FALSE(s.box->model().pressed);
  release(110, 60);

  press(110, 170);  // below it: a page down
  release(110, 170);
  EXPECT_EQ(b->model().position, 6);

  // A 6-px box at the last position leaves a pixel of track below it; a
  // press there changes nothing and leaves the point as it was.
  set(*b, 100, 4, 96);
  ASSERT_EQ(describe(s.box->display().rectangle()), "{0,173,20,179}");
  heard.clear();
  box_saw.clear();
  press(110, 179);
  EXPECT_EQ(b->model().position, 96);
  EXPECT_TRUE(heard.empty());
  EXPECT_EQ(box_saw, std::vector<std::string>{"10,179"});
}

TEST_F(ScrollBar, ArrowsStepAndTheOwnerHearsTagAndPosition) {
  auto b = bar();
  set(*b, 10, 4, 0);
  b->model().tag = 42;
  std::vector<std::vector<std::int32_t>> words;
  auto listener = listen(*b, [&words](platform_event& e) {
    if (auto* s = e.kind.get_if<notus::impl::kind_scroll>()) {
      std::vector<std::int32_t> w(25);
      std::memcpy(w.data(), s, sizeof(*s));
      words.push_back(w);
    }
  });

  click(110, 10);  // up at 0
  EXPECT_EQ(b->model().position, 0);
  EXPECT_TRUE(words.empty()) << "nothing changed, nothing announced";

  b->model().step = 2;
  click(110, 190);
  EXPECT_EQ(b->model().position, 2);
  click(110, 190);
  click(110, 190);  // 6 is the last first position
  EXPECT_EQ(b->model().position, 6);
  click(110, 10);
  EXPECT_EQ(b->model().position, 4);
  ASSERT_EQ(words.size(), 4u);
  EXPECT_EQ(words[0][0], 42);
  EXPECT_EQ(words[0][24], 2);
  EXPECT_EQ(words[3][24], 4);

  // A press on an arrow released elsewhere steps nothing.
  press(110, 190);
  release(110, 100);
  EXPECT_EQ(b->model().position, 4);
}

TEST_F(ScrollBar, ArrowPicturesAreMadeOncePerSizeAndState) {
  auto b = bar();
  auto other = std::make_unique<od::scroll_bar_view>();
  window_ops::move(other->display().handle(), {200, 0});
  window_ops::resize(other->display().handle(), {20, 100}, true);
  calls first = paint();
  EXPECT_EQ(only(first, "begin_bitmap"), (calls{"begin_bitmap(13, 20, 20)", "begin_bitmap(15, 20, 20)"}));
  const calls up_picture{
      "begin_bitmap(13, 20, 20)",
      "fill_rounded_rect({1,1,19,19}, 2, 0x84CEA5, 207)",
      "fill_polygon([(1,19) (10,1) (19,19) (10,10)], 0x000073, 200)",
      "frame_rounded_rect({1,1,19,19}, 2, 1, 0x185239, 255)",
      "end_bitmap()",
      "draw_bitmap(13, 20x20, (0,0))",
  };
  auto at = std::find(first.begin(), first.end(), up_picture[0]);
  ASSERT_NE(at, first.end());
  EXPECT_EQ(calls(at, at + static_cast<long>(up_picture.size())), up_picture);
  EXPECT_EQ(count(first, "fill_polygon([(1,1) (10,19) (19,1) (10,10)], 0x000073, 200)"), 1) << "the down arrow";

  press(110, 190);
  calls pressed = paint();
  EXPECT_EQ(only(pressed, "begin_bitmap"), calls{"begin_bitmap(16, 20, 20)"});
  EXPECT_EQ(count(pressed, "fill_rounded_rect({1,1,19,19}, 2, 0x06814C, 207)"), 1);
  release(110, 190);
  window_ops::invalidate(b->display().handle());
  window_ops::invalidate(other->display().handle());
  press(110, 190);
  EXPECT_EQ(count(paint(), "begin_bitmap"), 0);
  release(110, 190);
}

TEST_F(ScrollBar, TheTrackIsPaintedUnderTheParts) {
  auto b = bar();
  set(*b, 10, 4, 0);
  calls painted = paint();
  ASSERT_FALSE(painted.empty());
  EXPECT_EQ(painted[0], "fill_rect({0,0,20,200}, 0xC8C8C8, 255)");
  EXPECT_EQ(count(painted, "frame_rounded_rect({2,2,18,198}"), 0) << "the bar never has the focus";
  EXPECT_EQ(only(painted, "draw_polyline"), calls{"draw_polyline([(7,52) (13,52)], 2, 0x000073, 200)"});
  const auto& pixels = *host_test::app::instance().back_buffer();
  EXPECT_EQ(pixels.pixel(110, 150), host_test::argb(255, 0xC8, 0xC8, 0xC8));
}

TEST_F(ScrollBar, ABarShorterThanItsArrowsTakesNoDrag) {
  auto b = bar(30);
  set(*b, 10, 4, 0);
  auto heard_scrolls = hear_scrolls(*b);
  auto& s = parts(*b);
  // The arrows share the bar; releases off the bar keep them from clicking.
  for (int y : {19, 20, 21, 29}) {
    press(110, y);
    route(mouse(mouse_action::move, 110, y - 5));
    EXPECT_FALSE(s.box->display().has_capture()) << y;
    release(300, y);
  }
  EXPECT_EQ(b->model().position, 0);
  EXPECT_TRUE(heard.empty());
  // Asked all the same, the drag keeps the position rather than divide by a
  // track of no height.
  b->model().set_position(3);
  EXPECT_EQ(s.position_from_drag(b->model(), {10, 25}), 3);
}

}  // namespace
