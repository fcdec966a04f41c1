// The passive widgets, group box, simple frame and boxed text: their recorded
// geometry, and that a press on them is only reported, never acted on.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "notus/ownerdraw/frames.h"
#include "notus/ownerdraw/group_box.h"
#include "notus/ownerdraw/label.h"
#include "recorded_paint.h"
#include "tests/support/window_probe.h"

namespace {

using namespace recorded_paint_test;
using notus::ownerdraw::boxed_text_view;
using notus::ownerdraw::group_box_view;
using notus::ownerdraw::simple_frame_view;
namespace od = notus::ownerdraw;

// The ids that forms do not set read 0.  Were one left without an
// initialiser, reading it here would not be a constant expression and this
// would not compile.
constexpr bool fresh_models_are_blank() {
  od::label_model label;
  od::groupbox_model group;
  od::boxed_text_model boxed;
  return label.id == 0 && group.id == 0 && boxed.id == 0 && label.text.empty() && group.text.empty() &&
         boxed.text.empty();
}
static_assert(fresh_models_are_blank());

using FramePaint = RecordedPaint;

TEST_F(FramePaint, AGroupBoxSetsItsCaptionIntoTheTopLineOfItsFrame) {
  // The layout of a 40 x 16 caption in a 200 x 100 box.
  ASSERT_EQ(extent(L"Sound").width, 40);
  ASSERT_EQ(extent(L"Sound").height, 16);
  group_box_view v;
  v.model().text = L"Sound";
  place(v, {20, 30, 220, 130});
  EXPECT_EQ(paint(), (calls{"frame_rounded_rect({1,14,199,99}, 5, 1, 0x185239, 255)",
                            "fill_rect({6,13,50,14}, 0xE6FFFF, 255)", "draw_text(\"Sound\", {6,2,50,22}, 5)"}));
  // The gap covers both rows of the frame's anti-aliased top line.
  for (int y : {13, 14}) EXPECT_EQ(buffer->pixel(20 + 7, 30 + y), host_test::argb(255, 0xFF, 0xFF, 0xE6)) << y;

  v.model().text.clear();
  window_ops::invalidate(v.display().handle());
  EXPECT_EQ(paint(), (calls{"frame_rounded_rect({0,0,200,100}, 5, 1, 0x185239, 255)"}));
}

// The first control a group box frames paints over whatever of the caption
// reaches into it, so a caption whose band is higher than the room above
// that control takes the room from the box's top, the frame's line through
// its middle, and shrinks when the room is lower still.
TEST_F(FramePaint, AGroupCaptionKeepsAboveTheFirstControlItFrames) {
  ASSERT_EQ(extent(L"Sound").height, 16);
  struct Case {
    int room;
    calls expected;
  };
  const Case cases[] = {
      {24,
       {"frame_rounded_rect({1,14,199,99}, 5, 1, 0x185239, 255)", "fill_rect({6,13,50,14}, 0xE6FFFF, 255)",
        "draw_text(\"Sound\", {6,2,50,22}, 5)"}},
      {12,
       {"frame_rounded_rect({1,7,199,99}, 5, 1, 0x185239, 255)", "fill_rect({6,6,50,7}, 0xE6FFFF, 255)",
        "draw_text(\"Sound\", {6,0,50,12}, 5)"}},
      {9,
       {"frame_rounded_rect({1,5,199,99}, 5, 1, 0x185239, 255)", "fill_rect({6,4,50,5}, 0xE6FFFF, 255)",
        "draw_text(\"Sound\", {6,0,50,9}, 5, 12)"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("room " + std::to_string(c.room));
    group_box_view v;
    v.model().text = L"Sound";
    v.model().caption_room = c.room;
    place(v, {20, 30, 220, 130});
    EXPECT_EQ(paint(), c.expected);
  }
}

TEST_F(FramePaint, ASimpleFrameIsALightPanelWithAnOutlineOnePixelIn) {
  simple_frame_view v;
  place(v, {5, 5, 65, 45});
  EXPECT_EQ(paint(), (calls{"fill_rounded_rect({0,0,60,40}, 5, 0xE6FFFF, 255)",
                            "frame_rounded_rect({1,1,59,39}, 5, 1, 0x185239, 255)"}));
}

TEST_F(FramePaint, BoxedTextOutlinesTheEdgeWhenEmptyAndOnePixelInAroundText) {
  struct {
    std::wstring text;
    calls expected;
  } cases[] = {
      {L"", {"frame_rect({0,0,120,30}, 0x185239, 255)"}},
      {L"Sound", {"frame_rect({1,1,119,29}, 0x185239, 255)", "draw_text(\"Sound\", {3,3,117,27}, 4)"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.text.begin(), c.text.end()));
    boxed_text_view v;
    v.model().text = c.text;
    place(v, {10, 10, 130, 40});
    EXPECT_EQ(paint(), c.expected);
  }
}

TEST_F(FramePaint, BoxedTextWiderThanItsBoxStaysOnOneLine) {
  boxed_text_view v;
  v.model().text = L"a title far too long for its narrow box";
  place(v, {0, 0, 60, 100});
  paint();
  // Ink inside the box, the outline left out: one line high at most.
  int first = -1, last = -1;
  for (int y = 2; y < 99; ++y)
    for (int x = 2; x < 59; ++x)
      if (buffer->pixel(x, y) != host_test::kGrey) {
        if (first < 0) first = y;
        last = y;
      }
  ASSERT_GE(first, 0) << "the text is drawn";
  EXPECT_LE(last - first + 1, extent(L"a").height);
}

// "mouse <action> <x>,<y>" or "kind <k>".
std::string describe(const notus::impl::event_kind& kind) {
  if (auto* m = kind.get_if<notus::impl::kind_mouse>())
    return "mouse " + std::to_string(static_cast<int>(m->action)) + " " + std::to_string(m->x) + "," +
           std::to_string(m->y);
  return "kind " + std::to_string(kind.index());
}

// A press on a passive widget reaches its view's listeners as a mouse event
// in the widget's own coordinates, makes no click and leaves the focus where
// it was.
class PassivePress : public ::testing::Test {
 protected:
  template <class View>
  void check(const char* name) {
    SCOPED_TRACE(name);
    probes::journal log;
    auto focused = probes::make_window("focused", log, {RECT{0, 0, 20, 20}});
    controller.set_focus(focused.get());
    ASSERT_EQ(controller.focused(), focused.get());
    log.clear();
    View v;
    place(v, {50, 50, 150, 100});
    std::vector<std::string> seen;
    auto listening = notus::make_shared_connection(v, [&seen](typename View::view_event_type& e) {
      if (auto* display_event = e.payload.template get_if<0>()) seen.push_back(describe(display_event->payload.kind));
    });
    for (auto e : {probes::press(60, 70), probes::release(60, 70)}) controller.dispatch(e);
    EXPECT_EQ(seen, (std::vector<std::string>{"mouse 3 10,20", "mouse 4 10,20"}));
    EXPECT_EQ(controller.focused(), focused.get());
    EXPECT_TRUE(log.empty()) << "the focused window heard nothing";
  }

  notus::impl::details::virtual_window_controller controller;
};

TEST_F(PassivePress, APressOnAGroupBoxFrameOrBoxedTextMovesNoFocus) {
  check<group_box_view>("group box");
  check<simple_frame_view>("simple frame");
  check<boxed_text_view>("boxed text");
}

}  // namespace
