// The toggle button: one flip per click or key-down, none for a press
// released outside, and its faces 10, 11 and 12.

#include "notus/ownerdraw/toggle_button.h"

#include <vector>

#include "tests/support/widget_fixture.h"

namespace {

using namespace widget_test;
using notus::ownerdraw::toggle_button_view;

class ToggleButton : public WidgetTest {
 protected:
  ToggleButton() {
    place(toggle, {0, 0, 40, 30});
    toggle.model().text = L"1";
    toggle.model().id = 9;
  }

  toggle_button_view toggle;
  std::vector<bool> flips;
  // The click reaches the owner before the flip.
  notus::shared_connection<> owner = listen(toggle, [this](platform_event& e) {
    if (auto* c = e.kind.get_if<notus::impl::kind_click>()) {
      EXPECT_EQ(c->id, 9);
      flips.push_back(toggle.model().selected);
    }
  });
};

TEST_F(ToggleButton, OneFlipPerKeyDownRepeatsIncludedReleasesNever) {
  window_ops::set_focus(toggle.display().handle());
  key_down(codes::enter);
  key_down(codes::enter);
  key_down(codes::enter);
  key_up(codes::enter);
  key_down(codes::space);
  key_up(codes::space);
  key_down(codes::right);  // no navigation: the keypads move the focus
  EXPECT_EQ(flips, (std::vector<bool>{false, true, false, true}));
  EXPECT_FALSE(toggle.model().selected);
  EXPECT_TRUE(window_ops::has_focus(toggle.display().handle()));
}

TEST_F(ToggleButton, AClickFlipsAPressReleasedOutsideDoesNot) {
  click(5, 5);
  EXPECT_TRUE(toggle.model().selected);
  press(5, 5);
  release(40, 5);
  EXPECT_TRUE(toggle.model().selected);
  EXPECT_EQ(flips.size(), 1u);
  EXPECT_EQ(controller.capturing(), nullptr);
}

TEST_F(ToggleButton, FacesByStateAndTheDisabledOrder) {
  window_ops::disable(toggle.display().handle());
  EXPECT_EQ(paint(), (calls{
                         "draw_text(\"1\", {1,1,39,29}, 5)",
                         "draw_bitmap(12, 40x30, (0,0))",
                         "begin_bitmap(12, 40, 30)",
                         "fill_rounded_rect({1,1,39,29}, 2, 0xB4B4B4, 230)",
                         "frame_rounded_rect({1,1,39,29}, 2, 1, 0x634A39, 255)",
                         "end_bitmap()",
                         "draw_bitmap(12, 40x30, (0,0))",
                     }));

  window_ops::enable(toggle.display().handle());
  window_ops::set_focus(toggle.display().handle());
  EXPECT_EQ(paint(), (calls{
                         "draw_bitmap(10, 40x30, (0,0))",
                         "begin_bitmap(10, 40, 30)",
                         "fill_rounded_rect({1,1,39,29}, 2, 0xEFCEB5, 255)",
                         "frame_rounded_rect({1,1,39,29}, 2, 1, 0x634A39, 255)",
                         "end_bitmap()",
                         "draw_bitmap(10, 40x30, (0,0))",
                         "draw_text(\"1\", {1,1,39,29}, 5)",
                         "frame_rounded_rect({2,2,38,28}, 2, 2, 0x009BFF, 255)",
                     }));
  toggle.model().selected = true;
  window_ops::invalidate(toggle.display().handle());
  EXPECT_EQ(only(paint(), "fill_rounded_rect"), calls{"fill_rounded_rect({1,1,39,29}, 2, 0xE7A573, 255)"});
}

}  // namespace
