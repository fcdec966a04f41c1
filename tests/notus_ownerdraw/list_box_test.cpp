// The list box through the real controller: its rows, selection by mouse and
// keys, the refresh when the items change, scrolling by the bar, and paint.

#include "notus/ownerdraw/list_box.h"

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "notus/ownerdraw/push_button.h"
#include "tests/support/sizing_host.h"
#include "tests/support/widget_fixture.h"
#include "winapi/default_font.h"

namespace {

using namespace widget_test;
using notus::ownerdraw::listbox_manager;
using notus::ownerdraw::listbox_model;

using parent_display = std::shared_ptr<notus::displays::display<traits>>;

// 120 x 110 at the main window's origin: a list window 100 wide with 4 rows
// of 25 px (10 px left over) and the bar at x 100..119.
constexpr notus::rect<traits> kBox{0, 0, 120, 110};

class ListBox : public WidgetTest {
 protected:
  // The bar lays itself out on its size event.
  void SetUp() override {
    WidgetTest::SetUp();
    sizing_host::install();
  }

  // A list box with `count` items "item 0", "item 1" ..., refreshed unless
  // the test wants to set things up first.
  std::unique_ptr<listbox_manager> make(int count, bool refresh = true) {
    auto box = std::make_unique<listbox_manager>(kBox, parent_display());
    fill(*box, count);
    box->list_view->model().selection_callback = [this](unsigned int index) { told.push_back(index); };
    if (refresh) announce(*box);
    return box;
  }

  static void fill(listbox_manager& box, int count) {
    auto& items = box.list_view->model().items;
    items.clear();
    for (int i = 0; i < count; ++i) items.push_back(std::make_shared<std::wstring>(L"item " + std::to_wstring(i)));
  }

  static void announce(listbox_manager& box) {
    listbox_model::model_update u;
    box.list_view->model().raise(u);
  }

  // "top T sel S bar P rows -x--": the model, the bar's position and the
  // rows' marks, at a glance.
  static std::string describe(listbox_manager& box) {
    const listbox_model& m = box.list_view->model();
    std::string marks;
    for (const auto& row : *box.rows) marks += row->model().selected ? 'x' : '-';
    return "top " + std::to_string(m.top) + " sel " + std::to_string(m.selected) + " bar " +
           std::to_string(box.scrollbar_view->model().position) + " rows " + marks;
  }

  static std::vector<std::wstring> texts(listbox_manager& box) {
    std::vector<std::wstring> out;
    for (const auto& row : *box.rows) out.push_back(row->model().text);
    return out;
  }

  // Sets top and selection as the owner would, then refreshes.
  static void show(listbox_manager& box, int top, int selected) {
    box.list_view->model().set_top(top);
    box.list_view->model().set_selected(selected);
    announce(box);
  }

  std::vector<unsigned int> told;
};

TEST_F(ListBox, RowsFillTheHeightInWholeRowsBesideA20PxBar) {
  auto box = make(10);
  ASSERT_EQ(box->rows->size(), 4u) << "110 / 25";
  int i = 0;
  for (const auto& row : *box->rows) {
    SCOPED_TRACE(i);
    EXPECT_EQ(row->model().id, i);
    const auto& r = row->display().rectangle();
    EXPECT_EQ((std::vector<int>{r.left, r.top, r.right, r.bottom}), (std::vector<int>{1, 25 * i, 101, 25 * i + 25}));
    ++i;
  }
  const RECT list = box->list_view->display().handle().get()->rect();
  const RECT bar = box->scrollbar_view->display().handle().get()->rect();
  EXPECT_EQ((std::vector<long>{list.left, list.top, list.right, list.bottom}), (std::vector<long>{0, 0, 100, 110}));
  EXPECT_EQ((std::vector<long>{bar.left, bar.top, bar.right, bar.bottom}), (std::vector<long>{100, 0, 120, 110}));
  const auto& range = box->scrollbar_view->model();
  EXPECT_EQ((std::vector<int>{range.min, range.max, range.page, range.position}), (std::vector<int>{0, 10, 4, 0}));
  EXPECT_EQ(texts(*box), (std::vector<std::wstring>{L"item 0", L"item 1", L"item 2", L"item 3"}));
}

// The text grows and shrinks with the screen (11 px lines on a 240 x 320
// one, 54 px full screen at 3840 x 2160), and the rows and the bar with it:
// the rows lie one under the other, whole inside the list, each giving its
// text a whole line, and the bar keeps its proportion to the text.
TEST_F(ListBox, RowsAndBarFollowTheTextSize) {
  struct Restore {
    ~Restore() { winapi::core::SetWantedLineHeight(winapi::core::kDefaultLineHeight); }
  } restore;
  // The statistics list full screen at 3840 x 2160 is 338 px high.
  constexpr notus::rect<traits> kTall{0, 0, 400, 338};
  for (int wanted : {11, 12, 16, 27, 54}) {
    SCOPED_TRACE(wanted);
    winapi::core::SetWantedLineHeight(wanted);
    const int line = notus::ownerdraw::face_device::create_for_screen()->text_extent(std::wstring()).height;
    auto box = std::make_unique<listbox_manager>(kTall, parent_display());
    fill(*box, 10);
    announce(*box);
    const RECT list = box->list_view->display().handle().get()->rect();
    const RECT bar = box->scrollbar_view->display().handle().get()->rect();
    EXPECT_EQ(bar.right - bar.left, (20 * line + 8) / 16);
    EXPECT_EQ(list.right, bar.left);

    int top = 0;
    for (const auto& row : *box->rows) {
      const auto& r = row->display().rectangle();
      EXPECT_EQ(r.top, top) << "row " << row->model().id;
      EXPECT_GT(r.bottom, r.top);
      top = r.bottom;
    }
    ASSERT_FALSE(box->rows->empty());
    const int row_height = top / static_cast<int>(box->rows->size());
    EXPECT_LE(top, list.bottom - list.top) << "the last row lies whole in the list";
    EXPECT_LT(list.bottom - list.top - top, row_height) << "no room is left for one more row";
    EXPECT_EQ(box->scrollbar_view->model().page, static_cast<int>(box->rows->size()));

    for (const std::string& call : only(paint(), "draw_text(\"item")) {
      int left = 0, text_top = 0, right = 0, bottom = 0;
      ASSERT_EQ(std::sscanf(call.c_str() + call.find('{'), "{%d,%d,%d,%d}", &left, &text_top, &right, &bottom), 4);
      EXPECT_GE(bottom - text_top, line) << call;
      EXPECT_LE(bottom, top) << call;
    }
  }
}

TEST_F(ListBox, PressAndDragSelectRowAfterRowWhileAMoveWithoutButtonDoesNothing) {
  auto box = make(10);
  show(*box, 3, -1);
  told.clear();
  route(mouse(mouse_action::move, 50, 35, 0));  // hovering selects nothing
  EXPECT_EQ(describe(*box), "top 3 sel -1 bar 3 rows ----");

  press(50, 35);  // row 2: item top + 1
  EXPECT_EQ(describe(*box), "top 3 sel 4 bar 3 rows -x--");
  route(mouse(mouse_action::move, 50, 60));  // dragged onto row 3
  EXPECT_EQ(describe(*box), "top 3 sel 5 bar 3 rows --x-");
  route(mouse(mouse_action::move, 50, 300));  // dragged below the list: still captured, no row there
  release(50, 300);
  EXPECT_EQ(controller.capturing(), nullptr);
  EXPECT_EQ(told, (std::vector<unsigned int>{4, 5}));

  route(mouse(mouse_action::move, 50, 85));  // the left button reported, but no press on the list
  route(mouse(mouse_action::move, 50, 10, 0));
  EXPECT_EQ(describe(*box), "top 3 sel 5 bar 3 rows --x-");
  EXPECT_EQ(told.size(), 2u);
}

TEST_F(ListBox, RowsPastTheItemsAreInert) {
  auto box = make(2);
  press(50, 10);
  release(50, 10);
  told.clear();
  EXPECT_EQ(describe(*box), "top 0 sel 0 bar 0 rows x---");

  for (int y : {60, 85}) {  // rows 3 and 4: no items
    press(50, y);
    route(mouse(mouse_action::move, 50, y + 1));
    release(50, y);
  }
  EXPECT_EQ(describe(*box), "top 0 sel 0 bar 0 rows x---");
  EXPECT_TRUE(told.empty());
  EXPECT_EQ(texts(*box), (std::vector<std::wstring>{L"item 0", L"item 1", L"", L""}));
}

// Ten items, four rows; the keys go to the focused list window.
struct key_case {
  const char* name;
  int top;
  int selected;
  int code;
  const char* after;
  std::vector<unsigned int> told;
};

const std::vector<key_case> kKeyCases = {
    {"up on the first item", 0, 0, codes::up, "top 0 sel 0 bar 0 rows x---", {}},
    {"up inside the rows", 0, 2, codes::up, "top 0 sel 1 bar 0 rows -x--", {1}},
    {"up on the first visible row scrolls", 3, 3, codes::up, "top 2 sel 2 bar 2 rows x---", {2}},
    {"up below the first visible row", 3, 5, codes::up, "top 3 sel 4 bar 3 rows -x--", {4}},
    {"up with nothing selected", 3, -1, codes::up, "top 3 sel -1 bar 3 rows ----", {}},
    {"up on item 0 scrolled out of view", 3, 0, codes::up, "top 3 sel 0 bar 3 rows ----", {}},
    {"down on the last item", 6, 9, codes::down, "top 6 sel 9 bar 6 rows ---x", {}},
    {"down on the last visible row scrolls", 3, 6, codes::down, "top 4 sel 7 bar 4 rows ---x", {7}},
    {"down inside the rows", 3, 4, codes::down, "top 3 sel 5 bar 3 rows --x-", {5}},
    {"down with nothing selected takes the first visible", 3, -1, codes::down, "top 3 sel 3 bar 3 rows x---", {3}},
    {"return does nothing", 3, 4, codes::enter, "top 3 sel 4 bar 3 rows -x--", {}},
    {"space does nothing", 3, 4, codes::space, "top 3 sel 4 bar 3 rows -x--", {}},
};

TEST_F(ListBox, KeyTable) {
  for (const key_case& c : kKeyCases) {
    SCOPED_TRACE(c.name);
    auto box = make(10);
    show(*box, c.top, c.selected);
    ASSERT_TRUE(window_ops::set_focus(box->list_view->display().handle()));
    told.clear();
    key_down(c.code);
    key_up(c.code);
    EXPECT_EQ(describe(*box), c.after);
    EXPECT_EQ(told, c.told);
  }
}

TEST_F(ListBox, UpAndDownInAnEmptyListDoNothing) {
  auto box = make(0);
  window_ops::set_focus(box->list_view->display().handle());
  key_down(codes::down);
  key_down(codes::up);
  EXPECT_EQ(describe(*box), "top 0 sel -1 bar 0 rows ----");
  EXPECT_TRUE(told.empty());
}

TEST_F(ListBox, LeftAndRightMoveToTheOtherTabGroups) {
  auto box = make(3);
  notus::ownerdraw::push_button_view before, after;
  place(before, {200, 0, 260, 20}, 0);
  place(after, {200, 40, 260, 60}, 2);
  window_ops::set_tab_index(box->list_view->display().handle(), 1);
  const auto& list = box->list_view->display().handle();
  window_ops::set_focus(list);
  key_down(codes::right);
  EXPECT_TRUE(window_ops::has_focus(after.display().handle()));
  window_ops::set_focus(list);
  key_down(codes::left);
  EXPECT_TRUE(window_ops::has_focus(before.display().handle()));
  EXPECT_EQ(describe(*box), "top 0 sel -1 bar 0 rows ----");
}

// When the number of items changes, the first row is clamped so the last
// page is full, and a selection past the items is cleared for the owner.
TEST_F(ListBox, ShrinkingMovesTopAndClearsASelectionPastTheItems) {
  auto box = make(20);
  show(*box, 10, 12);
  told.clear();
  fill(*box, 5);
  announce(*box);
  EXPECT_EQ(describe(*box), "top 1 sel -1 bar 1 rows ----");
  EXPECT_EQ(told, (std::vector<unsigned int>{0xFFFFFFFFu}));
  EXPECT_EQ(texts(*box), (std::vector<std::wstring>{L"item 1", L"item 2", L"item 3", L"item 4"}));
  EXPECT_EQ(box->scrollbar_view->model().max, 5);

  window_ops::set_focus(box->list_view->display().handle());
  key_down(codes::down);
  EXPECT_EQ(describe(*box), "top 1 sel 1 bar 1 rows x---");
  key_down(codes::up);
  EXPECT_EQ(describe(*box), "top 0 sel 0 bar 0 rows x---");

  fill(*box, 0);
  announce(*box);
  EXPECT_EQ(describe(*box), "top 0 sel -1 bar 0 rows ----");
  EXPECT_EQ(texts(*box), (std::vector<std::wstring>(4)));
}

TEST_F(ListBox, ATopNearTheEndBeforeTheFirstRefreshIsClamped) {
  auto box = make(20, false);
  box->list_view->model().set_top(18);
  box->list_view->model().set_selected(19);
  announce(*box);
  EXPECT_EQ(describe(*box), "top 16 sel 19 bar 16 rows ---x");
  EXPECT_EQ(texts(*box), (std::vector<std::wstring>{L"item 16", L"item 17", L"item 18", L"item 19"}));
}

TEST_F(ListBox, ModelIndexChecks) {
  listbox_model m;
  std::vector<unsigned int> heard;
  m.selection_callback = [&heard](unsigned int i) { heard.push_back(i); };
  EXPECT_NO_THROW(m.set_top(0)) << "the current top, even in an empty list";
  try {
    m.set_top(1);
    ADD_FAILURE() << "no throw";
  } catch (const std::range_error& e) {
    EXPECT_STREQ(e.what(), "Index out of range.");
  }
  EXPECT_THROW(m.set_selected(0), std::range_error);
  m.items.assign(3, std::make_shared<std::wstring>(L"x"));
  EXPECT_THROW(m.set_top(-1), std::range_error);
  EXPECT_THROW(m.set_top(3), std::range_error);
  m.set_top(2);
  EXPECT_EQ(m.top, 2);
  m.set_selected(2);
  m.set_selected(2);
  m.set_selected(-1);
  EXPECT_EQ(m.selected, -1);
  EXPECT_EQ(heard, (std::vector<unsigned int>{2, 2, 0xFFFFFFFFu}));
}

TEST_F(ListBox, TheBarScrollsTheRows) {
  auto box = make(10);
  click(110, 105);  // the down arrow
  EXPECT_EQ(describe(*box), "top 1 sel -1 bar 1 rows ----");
  EXPECT_EQ(texts(*box).front(), L"item 1");
  click(110, 80);  // the track below the box: one page
  EXPECT_EQ(describe(*box), "top 5 sel -1 bar 5 rows ----");
}

TEST_F(ListBox, PaintsTheListThenEachRow) {
  auto box = make(2);
  show(*box, 0, 1);
  window_ops::set_focus(box->list_view->display().handle());
  const calls all = paint();
  const calls list = only(all, "f");
  const calls expected_start{
      "fill_rect({0,0,100,110}, 0x8CEFDE, 255)",
      "frame_rect({0,0,100,110}, 0x634A39, 255)",
      "frame_rect({1,1,99,109}, 0x009BFF, 255)",
  };
  ASSERT_GE(list.size(), 4u);
  EXPECT_EQ(calls(list.begin(), list.begin() + 3), expected_start);
  EXPECT_EQ(only(list, "fill_rect({2"), calls{"fill_rect({2,26,99,49}, 0x4AAD9C, 255)"}) << "row 2 is selected";
  EXPECT_EQ(only(all, "draw_text"),
            (calls{"draw_text(\"item 0\", {4,3,97,22}, 4)", "draw_text(\"item 1\", {4,28,97,47}, 4)",
                   "draw_text(\"\", {4,53,97,72}, 4)", "draw_text(\"\", {4,78,97,97}, 4)"}));
}

}  // namespace
