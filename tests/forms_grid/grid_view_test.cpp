// The grid view through a real window controller: mouse and keys become game
// commands run against a recording game; sizes reach the view only through
// the main window, as in the program.

#include "forms/grid/GridView.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "game/CommandHistory.h"
#include "game/commands/Services.h"
#include "tests/support/RecordingGame.h"
#include "tests/support/folders.h"
#include "tests/support/sizing_host.h"
#include "tests/support/widget_fixture.h"

namespace {

using gamecommands::Services;
using widget_test::window_ops;

// Notes the calls the grid's commands make; selecting writes the view's
// model, as the game does.
class ViewGame : public RecordingGame {
 public:
  std::uint32_t* selected = nullptr;
  bool valueMode = true;

  void SetCurrentCell(std::uint32_t i) override {
    calls.push_back("select " + std::to_string(i));
    *selected = i;
  }
  void ClickCurrentCell() override { calls.push_back("click"); }
  std::uint32_t GetCurrentCell() override { return *selected; }
  bool IsValueInputMode() override { return valueMode; }
  void SetCellValue(std::uint32_t i, std::uint8_t v) override {
    calls.push_back("value " + std::to_string(i) + " " + std::to_string(v));
  }
  void SetCandidate(std::uint32_t i, std::uint32_t v, bool on) override {
    calls.push_back("candidate " + std::to_string(i) + " " + std::to_string(v) + (on ? " on" : " off"));
  }
  int GetCellValue(std::uint32_t) override { return 2; }  // so Delete has something to remove
  void ClearCellValue(std::uint32_t i) override { calls.push_back("remove " + std::to_string(i)); }

  // Only the calls that say what the input did.
  std::vector<std::string> Effects() const {
    std::vector<std::string> out;
    for (const std::string& c : calls)
      if (c.rfind("select", 0) == 0 || c == "click" || c.rfind("value", 0) == 0 || c.rfind("candidate", 0) == 0 ||
          c.rfind("remove", 0) == 0)
        out.push_back(c);
    return out;
  }
};

using Effects = std::vector<std::string>;

class GridViewTest : public widget_test::WidgetTest {
 protected:
  void SetUp() override {
    WidgetTest::SetUp();
    sizing_host::install();
    CommandHistory::Create();
    game = std::make_shared<ViewGame>();
    Services::InstallCurrentGame([this] { return game; });
  }
  void TearDown() override {
    Services::Reset();
    CommandHistory::Destroy();
    WidgetTest::TearDown();
  }

  // A grid view at (20, 30), 300 x 300 unless told otherwise, in tab group 0.
  template <unsigned N>
  std::unique_ptr<grid::grid_view<N>> MakeGrid(int width = 300, int height = 300) {
    auto view = std::make_unique<grid::grid_view<N>>();
    const auto& h = view->display().handle();
    window_ops::move(h, {20, 30});
    window_ops::resize(h, {width, height}, true);
    window_ops::set_tab_index(h, 0);
    game->selected = &view->model().selected;
    return view;
  }
  void KeyDown(int code, int vk = 0) { route(widget_test::platform_event(notus::impl::ev_key{0, 1, vk, code})); }
  void KeyUp(int code, int vk = 0) { route(widget_test::platform_event(notus::impl::ev_key{0, 0, vk, code})); }

  grid_test::Folders folders{{"titular_digits.dat", "resources.dat"}};
  std::shared_ptr<ViewGame> game;
};

TEST_F(GridViewTest, PressSelectsTheCellUnderThePointerReleaseClicks) {
  auto view = MakeGrid<3>();
  struct Case {
    int x, y;  // in the view
    std::uint32_t cell;
  };
  // Corners, the last pixel of a cell and the first of the next, proportional
  // to the window (x * 9 / 300), not to the lines.
  for (const Case& c : {Case{0, 0, 0}, Case{299, 0, 8}, Case{0, 299, 72}, Case{299, 299, 80}, Case{33, 66, 9},
                        Case{34, 67, 19}, Case{150, 150, 40}}) {
    SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
    game->calls.clear();
    click(20 + c.x, 30 + c.y);
    EXPECT_EQ(game->Effects(), (Effects{"select " + std::to_string(c.cell), "click"}));
  }
  EXPECT_TRUE(window_ops::has_focus(view->display().handle()));
  // Any button; moves with a button held select nothing.
  game->calls.clear();
  press(20 + 10, 30 + 10, widget_test::buttons::right);
  route(widget_test::mouse(widget_test::mouse_action::move, 20 + 200, 30 + 200));
  route(widget_test::mouse(widget_test::mouse_action::double_click, 20 + 200, 30 + 200));
  EXPECT_EQ(game->Effects(), (Effects{"select 0"}));
  // A release without a press on the grid still clicks the selected cell.
  game->calls.clear();
  release(20 + 200, 30 + 200);
  EXPECT_EQ(game->Effects(), (Effects{"click"}));
  EXPECT_FALSE(CommandHistory::Instance()->CanUndo());
}

TEST_F(GridViewTest, PointsOutsideAreClampedAndAnUnsizedWindowIgnoresTheMouse) {
  auto view = MakeGrid<4>(160, 320);
  grid::mouse_strategy<4> mouse;
  struct Case {
    int x, y;
    std::uint32_t cell;
  };
  // As a capture would deliver them: outside the window on every side.
  for (const Case& c : {Case{-5, -5, 0}, Case{-400, 100, 5 * 16}, Case{160, 319, 255}, Case{1000, -1, 15},
                        Case{80, 5000, 15 * 16 + 8}}) {
    SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
    game->calls.clear();
    notus::impl::ev_mouse down{0, notus::impl::mouse_action::down, 1, c.x, c.y};
    mouse.on_mouse(down, *view);
    EXPECT_EQ(game->Effects(), (Effects{"select " + std::to_string(c.cell)}));
  }
  window_ops::resize(view->display().handle(), {0, 320}, true);
  game->calls.clear();
  for (auto action : {notus::impl::mouse_action::down, notus::impl::mouse_action::up}) {
    notus::impl::ev_mouse e{0, action, 1, 0, 0};
    mouse.on_mouse(e, *view);
  }
  EXPECT_TRUE(game->calls.empty());
}

TEST_F(GridViewTest, ValueKeysPerBoxSizeAndSymbolMode) {
  auto run = [&](auto view, int vk, std::uint32_t symbols) {
    view->model().gridSymbols = symbols;
    game->calls.clear();
    KeyDown(0, vk);
    return game->Effects();
  };
  {
    auto view = MakeGrid<2>();
    ASSERT_TRUE(window_ops::set_focus(view->display().handle()));
    view->model().selected = 5;
    EXPECT_EQ(run(view.get(), '4', 0), (Effects{"value 5 3"}));
    EXPECT_EQ(run(view.get(), '5', 0), Effects{});  // not below S
    EXPECT_EQ(run(view.get(), 'D', 1), (Effects{"value 5 3"}));
    EXPECT_EQ(run(view.get(), 'E', 1), Effects{});
  }
  {
    auto view = MakeGrid<3>();
    ASSERT_TRUE(window_ops::set_focus(view->display().handle()));
    view->model().selected = 40;
    EXPECT_EQ(run(view.get(), '9', 0), (Effects{"value 40 8"}));
    EXPECT_EQ(run(view.get(), 'A', 0), Effects{});
    EXPECT_EQ(run(view.get(), '0', 0), Effects{});
    EXPECT_EQ(run(view.get(), 'G', 1), (Effects{"value 40 6"}));
    EXPECT_EQ(run(view.get(), 'g', 1), Effects{});
    EXPECT_EQ(run(view.get(), 'I', 1), (Effects{"value 40 8"}));
    game->valueMode = false;
    EXPECT_EQ(run(view.get(), '3', 0), (Effects{"candidate 40 2 on"}));
  }
  {
    game->valueMode = true;
    auto view = MakeGrid<4>();
    ASSERT_TRUE(window_ops::set_focus(view->display().handle()));
    view->model().selected = 255;
    EXPECT_EQ(run(view.get(), 'G', 0), (Effects{"value 255 15"}));
    EXPECT_EQ(run(view.get(), 'g', 0), (Effects{"value 255 15"}));
    EXPECT_EQ(run(view.get(), 'P', 1), (Effects{"value 255 15"}));
    EXPECT_EQ(run(view.get(), 'H', 0), Effects{});
    // A given cell takes no value and no candidate from the keys.
    view->model().cells[255].given = 1;
    EXPECT_EQ(run(view.get(), '1', 0), Effects{});
    game->valueMode = false;
    EXPECT_EQ(run(view.get(), '1', 0), Effects{});
  }
}

TEST_F(GridViewTest, CommandKeysAndArrowsMoveTheSelectionOrTheFocus) {
  auto view = MakeGrid<3>();
  notus::displays::virtual_window<notus::traits> other;
  window_ops::move(other.handle(), {400, 30});
  window_ops::resize(other.handle(), {50, 50}, false);
  window_ops::set_tab_index(other.handle(), 1);
  const auto& h = view->display().handle();

  struct Case {
    std::uint32_t from;
    int code;
    Effects effects;
    bool focusLeaves;
  };
  const Case cases[] = {
      {40, notus::key_codes::left, {"select 39"}, false},
      {40, notus::key_codes::right, {"select 41"}, false},
      {40, notus::key_codes::up, {"select 31"}, false},
      {40, notus::key_codes::down, {"select 49"}, false},
      {36, notus::key_codes::left, {}, true},
      {44, notus::key_codes::right, {}, true},
      {4, notus::key_codes::up, {}, true},
      {76, notus::key_codes::down, {}, true},
      {0, notus::key_codes::left, {}, true},
      {80, notus::key_codes::down, {}, true},
      {40, notus::key_codes::enter, {"click"}, false},
      {40, notus::key_codes::space, {"click"}, false},
      {40, notus::key_codes::del, {"remove 40"}, false},
      {40, 8 /* home */, {}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.from) + " code " + std::to_string(c.code));
    window_ops::set_focus(h);
    ASSERT_TRUE(window_ops::has_focus(h));
    view->model().selected = c.from;
    game->calls.clear();
    KeyDown(c.code);
    EXPECT_EQ(game->Effects(), c.effects);
    EXPECT_EQ(window_ops::has_focus(other.handle()), c.focusLeaves);
    if (c.focusLeaves) {
      EXPECT_EQ(view->model().selected, c.from);
    }
  }
}

TEST_F(GridViewTest, KeyUpIsIgnored) {
  auto view = MakeGrid<3>();
  ASSERT_TRUE(window_ops::set_focus(view->display().handle()));
  view->model().selected = 40;
  for (int code : {notus::key_codes::enter, notus::key_codes::del, notus::key_codes::left, notus::key_codes::down})
    KeyUp(code);
  KeyUp(0, '5');
  EXPECT_TRUE(game->calls.empty());
  EXPECT_EQ(view->model().selected, 40u);
}

TEST_F(GridViewTest, AModelUpdateOnlyMarksTheGridDirty) {
  auto view = MakeGrid<3>();
  paint();
  ASSERT_FALSE(dirty(*view));
  int listened = 0;
  const auto connection = notus::make_shared_connection(
      *view, ttl::func::function1<void, grid::grid_view<3>::view_event_type&>(
                 [&](grid::grid_view<3>::view_event_type& e) { listened += e.payload.index() == 1; }));
  recorded.clear();
  notus::events::model_update update;
  view->model().raise(update);
  EXPECT_EQ(listened, 1);
  EXPECT_TRUE(dirty(*view));
  EXPECT_TRUE(recorded.empty());  // nothing painted now
  EXPECT_FALSE(paint().empty());
}

TEST_F(GridViewTest, ASizeEventLaysOutAndReportsTheGridFirst) {
  ASSERT_TRUE(folders.LoadLayouts());
  auto view = grid::grid_view<3>{};
  grid::GridRect seenGrid{}, seenOuter{};
  view.model().layoutCallback = grid::LayoutCallback([&](grid::GridRect g, grid::GridRect o) {
    seenGrid = g;
    seenOuter = o;
  });
  window_ops::move(view.display().handle(), {6, 10});
  window_ops::resize(view.display().handle(), {300, 300}, true);
  EXPECT_EQ(seenGrid.left, 6);
  EXPECT_EQ(seenGrid.bottom, 310);
  EXPECT_EQ(seenOuter.right, 480);
  EXPECT_EQ(seenOuter.bottom, 596);
  const auto& main = std::get<0>(view.strategies());
  EXPECT_EQ(main.columnLines()[9], 299);
  // Without notification nothing is laid out again.
  window_ops::resize(view.display().handle(), {400, 400}, false);
  EXPECT_EQ(main.columnLines()[9], 299);
}

}  // namespace
