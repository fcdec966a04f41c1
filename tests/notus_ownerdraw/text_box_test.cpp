// The text box through the real controller: wrapping on the model's
// announcement, the bar's range, scrolling by keys and by the bar, new texts
// after scrolling, and the paint from the first visible line.

#include "notus/ownerdraw/text_box.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "notus/ownerdraw/push_button.h"
#include "tests/support/sizing_host.h"
#include "tests/support/widget_fixture.h"

namespace {

using namespace widget_test;
namespace od = notus::ownerdraw;

// l0 CR l1 CR ... : n short lines.
std::wstring numbered_lines(int n, const wchar_t* prefix = L"l") {
  std::wstring text;
  for (int i = 0; i < n; ++i) text += (i > 0 ? L"\r" : L"") + std::wstring(prefix) + std::to_wstring(i);
  return text;
}

class TextBox : public WidgetTest {
 protected:
  void SetUp() override {
    WidgetTest::SetUp();
    sizing_host::install();
    // Lines are 20 px high in the default font: a box 80 px high shows 4.
    ASSERT_EQ(notus::gdi::device<traits>::create_for_screen()->text_extent(L"").height + 4, 20);
    box = std::make_unique<od::textbox_manager>(parent, RECT{10, 10, 230, 90});
    window_ops::set_focus(box->text_view->display().handle());
  }
  void TearDown() override {
    box.reset();
    WidgetTest::TearDown();
  }

  // What a form does: the text into the model, then the announcement.
  void show(const std::wstring& text, bool split_first = false) {
    auto& model = box->text_view->model();
    model.text = text;
    if (split_first) model.split(text);
    od::announce(model);
  }

  // "lines N first F bar MIN..MAX page P pos Q".
  std::string state() {
    const auto& t = box->text_view->model();
    const auto& b = box->bar_view->model();
    return "lines " + std::to_string(t.lines.size()) + " first " + std::to_string(t.first_line) + " bar " +
           std::to_string(b.min) + ".." + std::to_string(b.max) + " page " + std::to_string(b.page) + " pos " +
           std::to_string(b.position);
  }

  void keys(int code, int times) {
    for (int i = 0; i < times; ++i) key_down(code);
  }

  std::shared_ptr<notus::displays::virtual_window_frame<traits>> parent =
      std::make_shared<notus::displays::virtual_window_frame<traits>>();
  std::unique_ptr<od::textbox_manager> box;
};

TEST_F(TextBox, LaysOutTheTextAndTheBarBesideIt) {
  EXPECT_EQ(window_ops::rect(box->text_view->display().handle()).right, 210);
  const auto bar = window_ops::rect(box->bar_view->display().handle());
  EXPECT_EQ(bar.left, 210);
  EXPECT_EQ(bar.right, 230);
  EXPECT_EQ(bar.bottom, 90);
  // The bar laid its parts out on its size event.
  auto& parts = box->bar_view->strategy<od::vertical_scrollbar_main_strategies>();
  EXPECT_EQ(parts.down->display().rectangle().top, 60);
}

TEST_F(TextBox, TenLinesWithRoomForFourScrollByKeysWithinTheRange) {
  show(numbered_lines(10));
  EXPECT_EQ(state(), "lines 10 first 0 bar 0..10 page 4 pos 0");
  key_down(codes::up);
  EXPECT_EQ(state(), "lines 10 first 0 bar 0..10 page 4 pos 0");
  keys(codes::down, 8);
  EXPECT_EQ(state(), "lines 10 first 6 bar 0..10 page 4 pos 6");
  key_down(codes::up);
  key_up(codes::up);
  key_up(codes::down);
  EXPECT_EQ(state(), "lines 10 first 5 bar 0..10 page 4 pos 5") << "key releases do nothing";

  // The same text announced again is not wrapped again: the place stays.
  od::announce(box->text_view->model());
  EXPECT_EQ(state(), "lines 10 first 5 bar 0..10 page 4 pos 5");
}

TEST_F(TextBox, FewerLinesThanFitDoNotMove) {
  show(numbered_lines(3));
  keys(codes::down, 2);
  key_down(codes::up);
  EXPECT_EQ(state(), "lines 3 first 0 bar 0..3 page 3 pos 0");
  auto& parts = box->bar_view->strategy<od::vertical_scrollbar_main_strategies>();
  const auto& thumb = parts.box->display().rectangle();
  EXPECT_EQ(thumb.top, parts.track_rect.top);
  EXPECT_EQ(thumb.bottom, parts.track_rect.bottom) << "the box fills its track";
}

TEST_F(TextBox, TheBarScrollsTheText) {
  show(numbered_lines(10));
  click(220, 85);  // the bar's down arrow
  click(220, 85);
  EXPECT_EQ(state(), "lines 10 first 2 bar 0..10 page 4 pos 2");
  press(220, 65);  // on the track below the box: a page down
  release(220, 65);
  EXPECT_EQ(state(), "lines 10 first 6 bar 0..10 page 4 pos 6");
}

TEST_F(TextBox, ANewTextAfterScrollingIsShownFromItsFirstLine) {
  struct {
    const char* name;
    std::wstring text;
    bool split_first;
    const char* expected;
  } cases[] = {
      {"a shorter text", numbered_lines(3, L"s"), false, "lines 3 first 0 bar 0..3 page 3 pos 0"},
      {"an empty text", L"", false, "lines 0 first 0 bar 0..0 page 0 pos 0"},
      {"another text of as many lines", numbered_lines(10, L"n"), false, "lines 10 first 0 bar 0..10 page 4 pos 0"},
      {"the same text split again", numbered_lines(10), true, "lines 10 first 0 bar 0..10 page 4 pos 0"},
      {"a shorter text split by the form", numbered_lines(5, L"s"), true, "lines 5 first 0 bar 0..5 page 4 pos 0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    show(numbered_lines(10));
    keys(codes::down, 6);
    ASSERT_EQ(state(), "lines 10 first 6 bar 0..10 page 4 pos 6");
    show(c.text, c.split_first);
    EXPECT_EQ(state(), c.expected);
    if (!c.text.empty()) {
      EXPECT_EQ(box->text_view->model().string_at(0), c.text.substr(0, c.text.find(L'\r')));
    }
  }
}

// The bar's own announcements are plain updates: they reach the manager,
// but only the text model's update wraps.
TEST_F(TextBox, TheBarsUpdateDoesNotRefreshTheText) {
  show(numbered_lines(10));
  box->text_view->model().text = numbered_lines(2);
  od::announce(box->bar_view->model());
  EXPECT_EQ(state(), "lines 10 first 0 bar 0..10 page 4 pos 0");
}

TEST_F(TextBox, LongTextIsWrappedToTheWidthOfTheBox) {
  std::wstring text;
  for (int i = 0; i < 40; ++i) text += (i > 0 ? L" word" : L"word") + std::to_wstring(i);
  show(text);
  const auto screen = notus::gdi::device<traits>::create_for_screen();
  const auto& lines = box->text_view->model().lines;
  ASSERT_GT(lines.size(), 4u);
  std::wstring joined;
  for (const auto& line : lines) {
    EXPECT_LT(screen->text_extent(line).width, 198);
    EXPECT_NE(line.back(), L' ');
    joined += (joined.empty() ? L"" : L" ") + line;
  }
  EXPECT_EQ(joined, text) << "every word, in order";
}

TEST_F(TextBox, PaintsTheVisibleLinesFromTheFirstLine) {
  show(numbered_lines(10));
  keys(codes::down, 2);
  calls painted = paint();
  auto from = std::find(painted.begin(), painted.end(), "fill_rect({0,0,200,80}, 0x8CEFDE, 255)");
  ASSERT_NE(from, painted.end());
  EXPECT_EQ(calls(from, painted.end()), (calls{
                                            "fill_rect({0,0,200,80}, 0x8CEFDE, 255)",
                                            "frame_rect({0,0,199,80}, 0x634A39, 255)",
                                            "draw_text(\"l2\", {2,0,199,20}, 4)",
                                            "draw_text(\"l3\", {2,20,199,40}, 4)",
                                            "draw_text(\"l4\", {2,40,199,60}, 4)",
                                            "draw_text(\"l5\", {2,60,199,80}, 4)",
                                            "frame_rect({1,1,199,79}, 0x009BFF, 255)",
                                        }));
}

TEST_F(TextBox, LeftAndRightMoveTheFocus) {
  od::push_button_view before, after;
  place(before, {300, 10, 360, 30}, 0);
  place(after, {300, 40, 360, 60}, 2);
  window_ops::set_tab_index(box->text_view->display().handle(), 1);
  const auto& text = box->text_view->display().handle();
  ASSERT_TRUE(window_ops::has_focus(text));
  key_down(codes::left);
  EXPECT_TRUE(window_ops::has_focus(before.display().handle()));
  ASSERT_TRUE(window_ops::set_focus(text));
  key_down(codes::right);
  EXPECT_TRUE(window_ops::has_focus(after.display().handle()));
}

}  // namespace
