// Radio and tab buttons: the form hears of a selection once, before the
// button marks itself selected; a selected tab comes to the front; and the
// ring, dot and tab outline land where they should.

#include <memory>
#include <string>
#include <vector>

#include "notus/ownerdraw/radio_button.h"
#include "notus/ownerdraw/tab_button.h"
#include "tests/support/widget_fixture.h"

namespace {

using namespace widget_test;
using notus::ownerdraw::radio_button_view;
using notus::ownerdraw::tab_button_view;

class Selection : public WidgetTest {
 protected:
  // What the form sees: "select <id> <selected at that time>", per event.
  template <class View>
  notus::shared_connection<> form_of(View& v) {
    return listen(v, [this, &v](platform_event& e) {
      if (auto* s = e.kind.get_if<notus::impl::kind_selection>())
        heard.push_back("select " + std::to_string(s->id) + (v.model().selected ? " selected" : " unselected"));
    });
  }

  std::vector<std::string> heard;
};

TEST_F(Selection, TheFormHearsOnceBeforeTheButtonIsSelected) {
  radio_button_view radio;
  EXPECT_EQ(radio.model().id, -1);
  EXPECT_FALSE(radio.model().selected);
  radio.model().id = 3;
  place(radio, {0, 0, 100, 20});
  auto form = form_of(radio);

  click(10, 10);
  EXPECT_EQ(heard, std::vector<std::string>{"select 3 unselected"});
  EXPECT_TRUE(radio.model().selected);
  EXPECT_TRUE(dirty(radio));

  click(10, 10);  // already selected: nothing
  EXPECT_EQ(heard.size(), 1u);
  EXPECT_EQ(controller.capturing(), nullptr);

  window_ops::set_focus(radio.display().handle());
  key_down(codes::space);  // the keys raise it every time
  key_down(codes::space);
  key_up(codes::space);
  key_down(codes::enter);
  EXPECT_EQ(heard, (std::vector<std::string>{"select 3 unselected", "select 3 selected", "select 3 selected",
                                             "select 3 selected"}));
}

TEST_F(Selection, PressInsideReleaseOutsideRaisesNothing) {
  radio_button_view radio;
  place(radio, {0, 0, 100, 20});
  auto form = form_of(radio);
  press(10, 10);
  release(10, 20);
  EXPECT_TRUE(heard.empty());
  EXPECT_FALSE(radio.model().selected);
  EXPECT_EQ(controller.capturing(), nullptr);
}

TEST_F(Selection, RadioRingDotCaptionAndFocus) {
  radio_button_view radio;
  place(radio, {0, 0, 100, 25});
  radio.model().text = L"Easy";
  radio.model().selected = true;
  window_ops::set_focus(radio.display().handle());
  // Ring box {4,4,21,21}: side 17, centre 4 + 17/2; dot inset 17*30/100 = 5.
  EXPECT_EQ(paint(), (calls{
                         "draw_bitmap(7, 100x25, (0,0))",
                         "begin_bitmap(7, 100, 25)",
                         "frame_ellipse(1, 0x000000, 255, 12, 12, 8, 8, 20, 0)",
                         "fill_ellipse(0x000073, 200, 12, 12, 3, 3, 20, 0)",
                         "end_bitmap()",
                         "draw_bitmap(7, 100x25, (0,0))",
                         "draw_text(\"Easy\", {26,0,100,25}, 4)",
                         "frame_rounded_rect({1,1,99,24}, 5, 1, 0x009BFF, 255)",
                     }));
  radio.model().selected = false;
  window_ops::invalidate(radio.display().handle());
  const calls plain = paint();
  EXPECT_EQ(count(plain, "begin_bitmap(6, 100, 25)"), 1);
  EXPECT_EQ(count(plain, "fill_ellipse"), 0);
}

TEST_F(Selection, TabOutlineOpenTowardsThePageWhenSelected) {
  tab_button_view tab;
  place(tab, {0, 0, 80, 24});
  tab.model().text = L"Page";
  const std::string outline = "[(4,2) (76,2) (77,3) (78,4) (78,20) (77,21) (76,22) (4,22)]";
  calls unselected = paint();
  EXPECT_EQ(only(unselected, "f"), (calls{
                                       "fill_rounded_rect({2,2,78,22}, 2, 0xEFCEB5, 255)",
                                       "frame_rounded_rect({2,2,78,22}, 2, 1, 0x634A39, 255)",
                                   }));
  EXPECT_EQ(only(unselected, "draw_text"), calls{"draw_text(\"Page\", {3,3,77,21}, 5)"});

  tab.model().selected = true;
  window_ops::set_focus(tab.display().handle());
  EXPECT_EQ(paint(), (calls{
                         "draw_bitmap(8, 80x24, (0,0))",
                         "begin_bitmap(8, 80, 24)",
                         "fill_rounded_rect({2,2,78,22}, 2, 0xE6FFFF, 255)",
                         "draw_polyline(" + outline + ", 1, 0x634A39, 255)",
                         "end_bitmap()",
                         "draw_bitmap(8, 80x24, (0,0))",
                         "draw_text(\"Page\", {3,3,77,21}, 5)",
                         "draw_polyline(" + outline + ", 2, 0x009BFF, 255)",
                     }));
}

// Tabs start behind (z 20) and a selected one comes to the front (z 0), over
// a later tab that overlaps it.
TEST_F(Selection, ASelectedTabPaintsOverAnOverlappingUnselectedOne) {
  tab_button_view first;
  tab_button_view second;
  place(first, {0, 0, 80, 24});
  place(second, {60, 0, 140, 24});
  first.model().text = L"One";
  second.model().text = L"Two";
  EXPECT_EQ(first.display().handle().get()->z_order(), 20);
  EXPECT_EQ(only(paint(), "draw_text"),
            (calls{"draw_text(\"One\", {3,3,77,21}, 5)", "draw_text(\"Two\", {3,3,77,21}, 5)"}));

  click(10, 10);
  EXPECT_TRUE(first.model().selected);
  EXPECT_EQ(first.display().handle().get()->z_order(), 0);
  EXPECT_EQ(only(paint(), "draw_text"),
            (calls{"draw_text(\"Two\", {3,3,77,21}, 5)", "draw_text(\"One\", {3,3,77,21}, 5)"}));
  // Where they overlap, the page-coloured selected tab shows.
  const auto& buffer = *host_test::app::instance().back_buffer();
  EXPECT_EQ(buffer.pixel(70, 12) & 0xFFFFFF, 0xFFFFE6u);
}

}  // namespace
