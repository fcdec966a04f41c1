// The combo box through the real controller: its layout, opening and closing
// by mouse and keys, what is committed (and how often the owner hears of it),
// and its paint.

#include "notus/ownerdraw/combo_box.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "notus/ownerdraw/push_button.h"
#include "tests/support/sizing_host.h"
#include "tests/support/widget_fixture.h"

namespace {

using namespace widget_test;
namespace combo = notus::ownerdraw::cobmbobox;

constexpr int kEscape = 4;

// Closed: 200 x 24 at (10, 10).  The list below it: 180 x 100 (4 rows) with
// its bar at x 190..209.
constexpr notus::rect<traits> kClosed{10, 10, 210, 34};
constexpr notus::rect<traits> kList{10, 34, 210, 134};
// The middle of row r (0-based) of the open list.
constexpr int kRowX = 60;
constexpr int row_y(int r) { return 34 + 25 * r + 12; }

const std::vector<std::wstring> kColours{L"red", L"green", L"blue", L"cyan", L"pink", L"grey"};

class ComboBox : public WidgetTest {
 protected:
  void SetUp() override {
    WidgetTest::SetUp();
    sizing_host::install();
    // Another tab group, for the focus to go to.
    place(other, {300, 10, 360, 30}, 1);
  }

  std::unique_ptr<combo::manager> make() {
    auto c = std::make_unique<combo::manager>(kClosed, kList, std::shared_ptr<notus::displays::display<traits>>());
    for (const std::wstring& colour : kColours)
      c->list_view->model().items.push_back(std::make_shared<std::wstring>(colour));
    c->selection_callback = [this](unsigned int index) { told.push_back(index); };
    notus::ownerdraw::listbox_model::model_update u;
    c->list_view->model().raise(u);
    return c;
  }

  static bool is_open(combo::manager& c) {
    const bool list = c.list_view->display().handle().get()->visible();
    EXPECT_EQ(c.scrollbar_view->display().handle().get()->visible(), list);
    EXPECT_EQ(window_ops::is_enabled(c.fake_window_view->display().handle()), list);
    return list;
  }

  static bool focused(const notus::details::handle& h) { return window_ops::has_focus(h); }

  // "label L list S rows -x--": what the label shows, the list model's
  // selection and the rows' marks.
  static std::string describe(combo::manager& c) {
    std::string marks;
    for (const auto& row : *c.rows) marks += row->model().selected ? 'x' : '-';
    const std::wstring& label = c.label_view->model().text;
    return "label " + std::string(label.begin(), label.end()) + " list " +
           std::to_string(c.list_view->model().selected) + " rows " + marks;
  }

  void open_by_button() { click(200, 20); }

  notus::ownerdraw::push_button_view other;
  std::vector<unsigned int> told;
};

TEST_F(ComboBox, LayoutOfA200By24Box) {
  auto c = make();
  auto rect_of = [](const auto& view) {
    const RECT r = view->display().handle().get()->rect();
    return std::vector<long>{r.left, r.top, r.right, r.bottom};
  };
  EXPECT_EQ(rect_of(c->label_view), (std::vector<long>{10, 10, 186, 34}));
  EXPECT_EQ(rect_of(c->button_view), (std::vector<long>{184, 10, 210, 34}));
  EXPECT_EQ(rect_of(c->fake_window_view), (std::vector<long>{-25000, -25000, 25000, 25000}));
  EXPECT_EQ(rect_of(c->list_view), (std::vector<long>{10, 34, 190, 134}));
  EXPECT_EQ(rect_of(c->scrollbar_view), (std::vector<long>{190, 34, 210, 134}));
  EXPECT_EQ(c->rows->size(), 4u);
  EXPECT_EQ(c->fake_window_view->display().handle().get()->z_order(), -200);
  EXPECT_EQ(c->list_view->display().handle().get()->z_order(), -201);
  EXPECT_EQ(c->scrollbar_view->display().handle().get()->z_order(), -201);
  EXPECT_FALSE(is_open(*c));
  EXPECT_EQ(c->selected, -1);
  EXPECT_EQ(describe(*c), "label  list -1 rows ----");
}

TEST_F(ComboBox, SelectItemCommitsOnlyAnItem) {
  auto c = make();
  c->select_item(6);
  c->select_item(-1);
  EXPECT_TRUE(told.empty());
  EXPECT_EQ(c->selected, -1);
  c->select_item(5);
  EXPECT_EQ(told, (std::vector<unsigned int>{5}));
  EXPECT_EQ(c->selected, 5);
  EXPECT_EQ(c->label_view->model().text, L"grey");
  EXPECT_EQ(c->list_view->model().selected, 5);
}

TEST_F(ComboBox, HoverHighlightsAndAPressAndReleaseOnARowCommitsOnce) {
  auto c = make();
  c->select_item(0);
  told.clear();
  click(50, 20);  // the label
  ASSERT_TRUE(is_open(*c));
  EXPECT_TRUE(focused(c->list_view->display().handle()));

  route(mouse(mouse_action::move, kRowX, row_y(2), 0));  // no button held
  EXPECT_EQ(describe(*c), "label red list 2 rows --x-");
  EXPECT_TRUE(told.empty());

  press(kRowX, row_y(1));
  EXPECT_EQ(describe(*c), "label red list 1 rows -x--");
  release(kRowX, row_y(1));
  EXPECT_FALSE(is_open(*c));
  EXPECT_EQ(told, (std::vector<unsigned int>{1})) << "one release, one commit";
  EXPECT_EQ(describe(*c), "label green list 1 rows -x--");
  EXPECT_TRUE(focused(c->label_view->display().handle())) << "not the next window in tab order";
  EXPECT_EQ(controller.capturing(), nullptr);
}

TEST_F(ComboBox, APressOutsideClosesWithoutChangeAndALaterReturnKeepsTheOldItem) {
  auto c = make();
  c->select_item(0);
  told.clear();
  open_by_button();
  ASSERT_TRUE(is_open(*c));
  route(mouse(mouse_action::move, kRowX, row_y(3), 0));
  EXPECT_EQ(describe(*c), "label red list 3 rows ---x");

  press(600, 200);
  release(600, 200);
  EXPECT_FALSE(is_open(*c));
  EXPECT_TRUE(told.empty());
  EXPECT_EQ(describe(*c), "label red list 0 rows x---") << "the hovered row is forgotten";

  // The label has the focus again; Return commits what is committed, and
  // opens on its release.
  ASSERT_TRUE(focused(c->label_view->display().handle()));
  key_down(codes::enter);
  key_up(codes::enter);
  EXPECT_EQ(c->label_view->model().text, L"red");
  for (unsigned int index : told) EXPECT_EQ(index, 0u);
  EXPECT_TRUE(is_open(*c));
}

TEST_F(ComboBox, UpAndDownOnTheClosedLabelCommitEachTime) {
  auto c = make();
  c->select_item(1);
  told.clear();
  window_ops::set_focus(c->label_view->display().handle());
  key_down(codes::down);
  key_up(codes::down);
  key_down(codes::down);
  key_down(codes::up);
  EXPECT_EQ(told, (std::vector<unsigned int>{2, 3, 2}));
  EXPECT_EQ(describe(*c), "label blue list 2 rows --x-");
  EXPECT_FALSE(is_open(*c));
}

TEST_F(ComboBox, ReturnOpensOnReleaseAndOnTheOpenListClosesCommitsAndStaysClosed) {
  auto c = make();
  c->select_item(0);
  const auto& label = c->label_view->display().handle();
  window_ops::set_focus(label);
  key_down(codes::enter);
  EXPECT_FALSE(is_open(*c)) << "not on the press";
  key_up(codes::enter);
  ASSERT_TRUE(is_open(*c));
  EXPECT_TRUE(focused(c->list_view->display().handle()));

  told.clear();
  key_down(codes::down);
  key_down(codes::down);
  EXPECT_TRUE(told.empty()) << "nothing committed while the list is open";
  key_down(codes::enter);
  EXPECT_FALSE(is_open(*c));
  EXPECT_EQ(told, (std::vector<unsigned int>{2}));
  EXPECT_TRUE(focused(label));
  key_up(codes::enter);
  EXPECT_FALSE(is_open(*c)) << "the release that follows must not reopen it";
  EXPECT_EQ(describe(*c), "label blue list 2 rows --x-");

  key_down(codes::space);  // Space works the same way
  key_up(codes::space);
  ASSERT_TRUE(is_open(*c));
  key_down(codes::space);
  key_up(codes::space);
  EXPECT_FALSE(is_open(*c));
}

TEST_F(ComboBox, TabLeftAndRightCloseWithoutCommit) {
  for (int code : {codes::tab, codes::left, codes::right}) {
    SCOPED_TRACE(code);
    auto c = make();
    c->select_item(0);
    told.clear();
    open_by_button();
    key_down(codes::down);
    EXPECT_EQ(describe(*c), "label red list 1 rows -x--");
    key_down(code);
    key_up(code);
    EXPECT_FALSE(is_open(*c));
    EXPECT_TRUE(focused(other.display().handle()));
    EXPECT_TRUE(told.empty());
    EXPECT_EQ(describe(*c), "label red list 0 rows x---");
  }
}

TEST_F(ComboBox, EscapeDoesNothing) {
  auto c = make();
  open_by_button();
  key_down(kEscape);
  key_up(kEscape);
  EXPECT_TRUE(is_open(*c));
  EXPECT_TRUE(focused(c->list_view->display().handle()));
  EXPECT_TRUE(told.empty());
}

// Many combo boxes opened, chosen from and closed in every way, then
// destroyed (some while open): the sanitizers watch.
TEST_F(ComboBox, OpenChooseCloseCycles) {
  for (int round = 0; round < 20; ++round) {
    auto c = make();
    click(50, 20);
    route(mouse(mouse_action::move, kRowX, row_y(round % 4), 0));
    click(kRowX, row_y(round % 4));
    open_by_button();
    press(600, 200);
    release(600, 200);
    window_ops::set_focus(c->label_view->display().handle());
    key_down(codes::down);
    key_down(codes::enter);
    key_up(codes::enter);
    key_down(codes::enter);
    key_up(codes::enter);
    if (round % 2 == 1) click(50, 20);  // left open
    paint();
  }
  EXPECT_EQ(told.size(), 20u * 4u);
  EXPECT_EQ(controller.capturing(), nullptr);
}

TEST_F(ComboBox, PaintsTheLabelAndTheDropDownButton) {
  auto c = make();
  c->select_item(1);
  window_ops::set_focus(c->label_view->display().handle());
  const calls all = paint();
  const calls expected{
      // The button's face has the window's size, so its outline is whole.
      "draw_bitmap(18, 26x24, (0,0))",
      "begin_bitmap(18, 26, 24)",
      "fill_rounded_rect_radii({1,1,25,23}, [0 0 5 5 5 5 0 0], 0xB2FCD3, 255)",
      "fill_polygon([(7,7) (13,17) (19,7)], 0x000073, 200)",
      "end_bitmap()",
      "draw_bitmap(18, 26x24, (0,0))",
      "draw_text(\"\", {1,1,25,23}, 5)",
      "frame_rounded_rect_radii({1,1,25,23}, [0 0 5 5 5 5 0 0], 1, 0x185239, 255)",
      "fill_rounded_rect_radii({1,1,175,23}, [5 5 0 0 0 0 5 5], 0x6E9992, 255)",
      "frame_rounded_rect_radii({1,1,175,23}, [5 5 0 0 0 0 5 5], 1, 0x185239, 255)",
      "draw_text(\"green\", {3,3,173,21}, 4)",
  };
  auto first = std::find(all.begin(), all.end(), expected.front());
  ASSERT_NE(first, all.end());
  EXPECT_EQ(calls(first, all.end()), expected);

  window_ops::set_focus(other.display().handle());
  c->button_view->model().pressed = true;
  window_ops::invalidate(c->button_view->display().handle());
  const calls pressed = paint();
  EXPECT_EQ(count(pressed, "begin_bitmap(17, 26, 24)"), 1);
  EXPECT_EQ(only(pressed, "fill_rounded_rect_radii({1,1,175"),
            calls{"fill_rounded_rect_radii({1,1,175,23}, [5 5 0 0 0 0 5 5], 0x8CEFDE, 240)"});

  window_ops::disable(c->button_view->display().handle());
  const calls disabled = paint();
  EXPECT_EQ(calls(disabled.begin(), disabled.begin() + 3),
            (calls{"draw_text(\"\", {1,1,25,23}, 5)", "draw_bitmap(19, 26x24, (0,0))", "begin_bitmap(19, 26, 24)"}));
  EXPECT_EQ(count(disabled, "fill_rounded_rect({1,1,25,23}, 5, 0xC8C8C8, 240)"), 1);
}

}  // namespace
