// Check boxes: the tick flips after the form has seen the click, once per
// click or key-down, and the box and tick land where they should.

#include "notus/ownerdraw/check_box.h"

#include <memory>
#include <vector>

#include "tests/support/widget_fixture.h"

namespace {

using namespace widget_test;
using notus::ownerdraw::checkbox_view;

class CheckBox : public WidgetTest {
 protected:
  CheckBox() {
    place(box, {0, 0, 100, 20});
    box.model().id = 4;
  }

  checkbox_view box;
  std::vector<bool> seen;
  // What the form sees: the checked value at each click.
  notus::shared_connection<> form = listen(box, [this](platform_event& e) {
    if (auto* c = e.kind.get_if<notus::impl::kind_click>()) {
      EXPECT_EQ(c->id, 4);
      seen.push_back(box.model().checked);
    }
  });
};

TEST_F(CheckBox, AFreshOneIsTickedAndReadsCheckbox) {
  {
    checkbox_view fresh;
    EXPECT_TRUE(fresh.model().checked);
    EXPECT_EQ(fresh.model().text, L"checkbox");
    EXPECT_EQ(fresh.model().id, 0u);
  }

  ASSERT_TRUE(window_ops::set_focus(box.display().handle()));
  EXPECT_EQ(paint(), (calls{
                         "draw_bitmap(2, 100x20, (0,0))",
                         "begin_bitmap(2, 100, 20)",
                         "fill_rect({4,4,16,16}, 0x84CEA5, 207)",
                         "frame_rect({4,4,16,16}, 0x185239, 255)",
                         "fill_polygon([(4,4) (10,16) (16,4) (10,10)], 0x000073, 200)",
                         "end_bitmap()",
                         "draw_bitmap(2, 100x20, (0,0))",
                         "frame_rounded_rect({1,1,99,19}, 5, 1, 0x009BFF, 255)",
                         "draw_text(\"checkbox\", {21,0,100,20}, 4)",
                     }));
}

TEST_F(CheckBox, TheFormSeesTheOldValueThenTheBoxRepaintsWithTheNew) {
  paint();
  click(50, 10);
  EXPECT_EQ(seen, std::vector<bool>{true});
  EXPECT_FALSE(box.model().checked);
  EXPECT_TRUE(dirty(box));
  const calls unticked = paint();
  EXPECT_EQ(count(unticked, "begin_bitmap(1, 100, 20)"), 1);
  EXPECT_EQ(count(unticked, "fill_polygon"), 0);
}

TEST_F(CheckBox, EveryKeyDownTogglesOnceRepeatsIncludedKeyUpsNever) {
  window_ops::set_focus(box.display().handle());
  key_down(codes::space);
  key_down(codes::space);
  key_down(codes::space);
  key_up(codes::space);
  key_down(codes::enter);
  key_up(codes::enter);
  key_down(codes::home);
  EXPECT_EQ(seen, (std::vector<bool>{true, false, true, false}));
  EXPECT_TRUE(box.model().checked);
  EXPECT_EQ(controller.capturing(), nullptr);
}

TEST_F(CheckBox, PressInsideReleaseOutsideChangesNothing) {
  press(50, 10);
  EXPECT_NE(controller.capturing(), nullptr);
  release(100, 10);
  EXPECT_TRUE(seen.empty());
  EXPECT_TRUE(box.model().checked);
  EXPECT_EQ(controller.capturing(), nullptr);
}

}  // namespace
