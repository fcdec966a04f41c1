// The application tab bar on the real main window: choosing a tab, the
// highlight the forms clear and set, the paint with its cached faces and
// focus frame, the first picture of the frame, a close inside a dialog, and
// a layout that lacks one of the bar's items.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "forms/common/ApplyItemConfig.h"
#include "forms/gameform/ShowGameFormCommand.h"
#include "forms/menu/ShowMenuFormCommand.h"
#include "forms/options/ShowOptionFormCommand.h"
#include "forms/tabbar/ApplicationTabBar.h"
#include "forms/tabbar/DeselectApplicationTabBarCommand.h"
#include "forms/tabbar/TabCommands.h"
#include "notus/ownerdraw/tab_button.h"
#include "notus/platform/ownerdrawWin32/device_recorder.h"
#include "notus/platform/ownerdrawWin32/svg_glyph.h"
#include "notus/platform/ownerdrawWin32/winobj_virtual_window.h"
#include "tests/support/DialogScript.h"
#include "tests/support/FormsHost.h"

namespace forms_test {
namespace {

using application_tab_bar::ApplicationTabBar;
using application_tab_bar::glyph_tab_button_view;
using application_tab_bar::kGameTab;
using application_tab_bar::kMenuTab;
using application_tab_bar::kOptionsTab;
using strings = std::vector<std::string>;

constexpr std::int32_t kTabs[] = {kMenuTab, kGameTab, kOptionsTab};

// Which tabs are selected: "100" is tab 1 alone.
std::string Highlight(application_tab_bar::Model& bar) {
  std::string flags;
  for (std::int32_t id : kTabs) flags += application_tab_bar::TabOf(bar, id)->model().selected ? '1' : '0';
  return flags;
}

// Which form a pending show-form command leads to; empty for none.
std::string FormOf(const ApplicationCommand* command) {
  if (dynamic_cast<const ShowMenuFormCommand*>(command)) return "menu";
  if (const auto* game = dynamic_cast<const ShowGameFormCommand*>(command))
    return game->showPuzzleInfo ? "game with its information" : "game";
  if (dynamic_cast<const ShowOptionFormCommand*>(command)) return "options";
  return command != nullptr ? "another form" : "";
}

class TabBarTest : public FormsTest {
 protected:
  void InstallFunctions() override { InstallApplicationTabBar(); }
  void SetUp() override {
    FormsTest::SetUp();
    // The deferred message takes the pending show-form command and notes
    // which form it would build; the bar is tested here, not the forms.
    installed.Install(&notus::mainwindow::set_deferred_form_builder, [this] {
      const std::string form = FormOf(state->PendingFormCommand());
      state->SetPendingFormCommand(nullptr);
      if (form.empty()) return;
      log.push_back(form + " built");
      if (afterBuild) std::exchange(afterBuild, nullptr)();
    });
    installed.Install(&notus::gdi::set_device_recorder, [this](const std::string& call) { recorded.push_back(call); });
    // Glyphs are recorded among the drawing calls rather than drawn.
    installed.Install(&notus::ownerdraw::set_glyph_drawer,
                      [this](notus::ownerdraw::face_device&, unsigned id, notus::ownerdraw::face_device::size_type size,
                             notus::ownerdraw::face_device::point_type at) {
                        recorded.push_back("glyph(" + std::to_string(id) + ", " + std::to_string(size.width) + "x" +
                                           std::to_string(size.height) + ", (" + std::to_string(at.x) + "," +
                                           std::to_string(at.y) + "))");
                      });
  }

  ApplicationTabBar& Bar() {
    ApplicationTabBar* bar = application_tab_bar::HeldApplicationTabBar();
    if (bar == nullptr) throw std::logic_error("the frame holds no application tab bar");
    return *bar;
  }
  glyph_tab_button_view& Tab(std::int32_t id) { return *application_tab_bar::TabOf(Bar(), id); }
  bool Dirty(std::int32_t id) { return Tab(id).display().handle().get()->dirty(); }

  void ClickTab(std::int32_t id) {
    const ItemConfig c = ResourceManager::GetItemConfig(application_tab_bar::kTabBarForm, id);
    winapi::headless::InjectClick(main, (c.left + c.right) / 2, (c.top + c.bottom) / 2);
  }
  void PressKey(int virtualKey) {
    winapi::headless::InjectKey(main, virtualKey, true);
    winapi::headless::InjectKey(main, virtualKey, false);
  }
  // Handles the queued input up to the first form switch, which stays
  // queued; true when there is one.
  static bool HandleInputUpToTheFormSwitch() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      if (msg.message == notus::impl::message_deferred) return true;
      app::pump_message();
    }
    return false;
  }
  // The drawing calls of the next paint pass.
  strings Paint() {
    recorded.clear();
    Settle();
    return recorded;
  }

  strings log;
  strings recorded;
  // Runs once, after the next build.
  std::function<void()> afterBuild;
};

TEST_F(TabBarTest, ChoosingATabClearsTheOthersShowsItsFormLaterThenSelectsIt) {
  ClickTab(kMenuTab);
  Settle();
  ASSERT_EQ(log, strings{"menu built"});
  ASSERT_EQ(Highlight(Bar()), "100");
  log.clear();

  ClickTab(kOptionsTab);
  ASSERT_TRUE(HandleInputUpToTheFormSwitch());
  // Menu was cleared; Options selected itself; its form waits for the switch.
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(FormOf(state->PendingFormCommand()), "options");
  EXPECT_EQ(Highlight(Bar()), "001");
  EXPECT_TRUE(Dirty(kMenuTab));
  EXPECT_TRUE(Dirty(kOptionsTab));

  Settle();
  EXPECT_EQ(log, strings{"options built"});
  EXPECT_EQ(state->PendingFormCommand(), nullptr);
}

TEST_F(TabBarTest, OnTheSelectedTabAClickDoesNothingAndTheKeysChooseItAgain) {
  struct row {
    const char* name;
    int key;  // 0: a click
    strings log;
  };
  const row rows[] = {
      {"click", 0, {}},
      {"Return", VK_RETURN, {"game built"}},
      {"Space", VK_SPACE, {"game built"}},
  };
  ClickTab(kGameTab);
  Settle();
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    log.clear();
    if (r.key == 0)
      ClickTab(kGameTab);
    else
      PressKey(r.key);
    Settle();
    EXPECT_EQ(log, r.log);
    EXPECT_EQ(Highlight(Bar()), "010");
    EXPECT_EQ(state->PendingFormCommand(), nullptr);
  }
}

TEST_F(TabBarTest, TheFormsClearOrSetTheHighlightWithoutChoosingATab) {
  ClickTab(kGameTab);
  Settle();
  log.clear();

  DeselectApplicationTabBarCommand().Execute();
  EXPECT_EQ(Highlight(Bar()), "000");
  EXPECT_TRUE(Dirty(kGameTab));
  EXPECT_FALSE(Dirty(kMenuTab));  // only what was selected is repainted

  ClickTab(kMenuTab);
  Settle();
  log.clear();
  application_tab_bar::SelectGameTab(Bar());
  EXPECT_EQ(Highlight(Bar()), "010");
  for (std::int32_t id : kTabs) EXPECT_TRUE(Dirty(id)) << id;

  Settle();
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(state->PendingFormCommand(), nullptr);
}

// What a tab paints, in paint order: "<glyph>", and " focused" when the
// focus frame follows it.
strings TabsPainted(const strings& calls) {
  const std::string focusFrame = "frame_rounded_rect({1,1,159,43}, 5, 2, 0x009BFF, 255)";
  strings tabs;
  for (std::size_t i = 0; i < calls.size(); ++i) {
    if (calls[i].rfind("glyph(", 0) != 0) continue;
    const std::string glyph = calls[i].substr(6, calls[i].find(',') - 6);
    tabs.push_back(glyph + (i + 1 < calls.size() && calls[i + 1] == focusFrame ? " focused" : ""));
  }
  return tabs;
}

// A paint pass may repaint more tabs than were invalidated; the frame is on
// the focused one, and the one that lost the focus is repainted without it.
TEST_F(TabBarTest, TheFocusFrameIsDrawnOnTheFocusedTabOnly) {
  struct row {
    const char* step;
    std::function<void()> act;
    std::string focused;
    std::string unfocused;
  };
  const row rows[] = {
      {"built: tab 1 has the focus", [] {}, "101 focused", "103"},
      {"Right", [this] { PressKey(VK_RIGHT); }, "103 focused", "101"},
      {"click on Options", [this] { ClickTab(kOptionsTab); }, "104 focused", "103"},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.step);
    r.act();
    const strings painted = TabsPainted(Paint());
    EXPECT_EQ(
        std::count_if(painted.begin(), painted.end(), [](const std::string& tab) { return tab.ends_with(" focused"); }),
        1)
        << ::testing::PrintToString(painted);
    for (const std::string& tab : {r.focused, r.unfocused})
      EXPECT_NE(std::find(painted.begin(), painted.end(), tab), painted.end()) << tab;
  }
}

TEST_F(TabBarTest, EachFaceIsMadeOnceUnderItsOwnCacheIdAndDrawnFromTheCacheAfter) {
  const strings first = Paint();
  // The unselected face, shared by the three tabs, with the glyph over it.
  const strings made = {"draw_bitmap(21, 160x44, (0,0))",
                        "begin_bitmap(21, 160, 44)",
                        "fill_rounded_rect({1,1,159,43}, 2, 0xEFCEB5, 255)",
                        "frame_rounded_rect({1,1,159,43}, 2, 1, 0x634A39, 255)",
                        "end_bitmap()",
                        "draw_bitmap(21, 160x44, (0,0))",
                        "glyph(101, 158x42, (0,0))"};
  const auto at = std::search(first.begin(), first.end(), made.begin(), made.end());
  EXPECT_NE(at, first.end()) << ::testing::PrintToString(first);
  EXPECT_EQ(
      std::count_if(first.begin(), first.end(), [](const std::string& c) { return c.rfind("begin_bitmap", 0) == 0; }),
      1);

  ClickTab(kOptionsTab);
  const strings selected = Paint();
  const strings madeSelected = {"begin_bitmap(20, 160, 44)",
                                "fill_rounded_rect({1,1,159,43}, 2, 0xFFFFFF, 255)",
                                "frame_rounded_rect({1,1,159,43}, 2, 1, 0x634A39, 255)",
                                "end_bitmap()",
                                "draw_bitmap(20, 160x44, (0,0))",
                                "glyph(104, 158x42, (0,0))"};
  EXPECT_NE(std::search(selected.begin(), selected.end(), madeSelected.begin(), madeSelected.end()), selected.end())
      << ::testing::PrintToString(selected);

  for (std::int32_t id : kTabs) forms::window_ops::invalidate(Tab(id).display().handle());
  const strings again = Paint();
  EXPECT_EQ(TabsPainted(again).size(), 3u);
  for (const std::string& call : again) EXPECT_NE(call.rfind("begin_bitmap", 0), 0u) << call;
}

// The option pages' tabs keep their faces under their own ids: one of the
// same size, painted first, must not lend its face to an application tab.
TEST_F(TabBarTest, AnOptionPageTabOfTheSameSizeDoesNotLendItsFace) {
  notus::ownerdraw::tab_button_view page;
  page.model().selected = true;
  const auto& h = page.display().handle();
  forms::window_ops::move(h, {0, 100});
  forms::window_ops::resize(h, {160, 44}, false);
  Settle();
  ClickTab(kOptionsTab);
  Settle();
  EXPECT_EQ(Shot().At(320 + 10, 618), 0xFFFFFFFFu);  // the selected tab's white, not the page's colour
  EXPECT_EQ(Shot().At(160 + 10, 618), 0xFFB5CEEFu);
}

// The frame with no form yet: white above, the three tabs at the bottom,
// each its unselected face behind its glyph, the first one framed in orange.
TEST_F(TabBarTest, TheFramesFirstPictureIsWhiteWithTheThreeTabs) {
  notus::ownerdraw::set_glyph_drawer(nullptr);
  const std::string glyphs = std::string(TAVLIN_SOURCE_RESOURCES) + "/glyphs.dat";
  notus::gdi::load_svg_glyphs(std::wstring(glyphs.begin(), glyphs.end()));
  app::instance().back_buffer()->fill_bytes(0x40);
  Settle();
  const winapi::Image shot = Shot();

  constexpr std::uint32_t white = 0xFFFFFFFF, face = 0xFFB5CEEF, focus = 0xFFFF9B00;
  for (const auto& [x, y] : {std::pair{0, 0}, {240, 300}, {479, 595}}) EXPECT_EQ(shot.At(x, y), white) << x << "," << y;
  for (std::int32_t id : kTabs) {
    SCOPED_TRACE(id);
    const ItemConfig tab = ResourceManager::GetItemConfig(application_tab_bar::kTabBarForm, id);
    EXPECT_EQ(shot.At(tab.left + 10, 618), face);
    EXPECT_EQ(shot.At(tab.left + 1, 618) == focus, id == kMenuTab);
    int glyphPixels = 0;
    for (int y = tab.top + 4; y < tab.bottom - 4; ++y)
      for (int x = tab.left + 20; x < tab.right - 20; ++x)
        if (shot.At(x, y) != face && shot.At(x, y) != white) ++glyphPixels;
    EXPECT_GT(glyphPixels, 100);
  }
}

// The dialog's own controller is current while its loop runs; the close
// box ends that loop, and the program's loop goes on.
TEST_F(TabBarTest, ACloseDuringADialogEndsOnlyTheDialogsLoop) {
  // The menu's build runs a dialog's loop, then hands the program more
  // input; Options is chosen only if the program's loop still runs.
  afterBuild = [this] {
    {
      virtual_window_controller dialog;
      log.push_back("dialog ends " + std::to_string(app::run_message_loop()));
    }
    ClickTab(kOptionsTab);
    PostMessageW(main, WM_CLOSE, 0, 0);
  };
  DialogScript script(main, 2);
  script.Answer().Close();

  ClickTab(kMenuTab);
  const int result = app::run_message_loop();
  log.push_back("program ends " + std::to_string(result));
  EXPECT_TRUE(script.Done());
  // The close that ends the program waits for the form switch queued with it.
  EXPECT_EQ(log, (strings{"menu built", "dialog ends 0", "options built", "program ends 0"}));
}

class StandInTabBarTest : public FormsTest {
 protected:
  void InstallFunctions() override {
    notus::mainwindow::set_tab_bar_factory(
        [](const std::shared_ptr<notus::mainwindow::frame_display>&) { return std::make_shared<int>(7); });
  }
};

// A bar made elsewhere is not the frame's; the command touches neither.
TEST_F(StandInTabBarTest, DeselectingDoesNothingWhileTheFrameHoldsNoApplicationTabBar) {
  const std::shared_ptr<void> unheld = MakeApplicationTabBar(state->FrameDisplay());
  auto& bar = *std::static_pointer_cast<ApplicationTabBar>(unheld);
  application_tab_bar::SelectGameTab(bar);
  EXPECT_EQ(application_tab_bar::HeldApplicationTabBar(), nullptr);
  DeselectApplicationTabBarCommand().Execute();
  EXPECT_EQ(Highlight(bar), "010");
  EXPECT_EQ(*std::static_pointer_cast<int>(state->TabBar()), 7);
}

class MissingTabItemTest : public TabBarTest {
 protected:
  // Form 1 of a private layout file without the given item.
  void LoadLayoutsWithout(int missing) {
    std::string tabs;
    for (int id : {1, 2, 3})
      if (id != missing)
        tabs += "<item id=\"" + std::to_string(id) + "\" tabIndex=\"100\" orderIndex=\"" + std::to_string(id) +
                "\" left=\"" + std::to_string(160 * (id - 1)) + "\" top=\"596\" right=\"" + std::to_string(160 * id) +
                "\" bottom=\"640\">Tab</item>";
    folders.Write("resources.dat", R"(<resources><lang value="en"><Forms><block width="480" height="640">
      <form id="0"><item id="1" left="0" top="0" right="480" bottom="640"/></form>
      <form id="1">)" + tabs + R"(</form></block></Forms><Strings/></lang></resources>)");
    ResourceManager::Clear();
    const std::wstring cached = CachedResourcesFileName();
    std::remove(std::string(cached.begin(), cached.end()).c_str());
    ASSERT_TRUE(LoadResources(L"en", 480, 640));
  }
};

TEST_F(MissingTabItemTest, AMissingItemOfTheBarsFormThrowsAndLeavesNoTab) {
  for (int missing : {1, 2, 3}) {
    SCOPED_TRACE(missing);
    LoadLayoutsWithout(missing);
    const std::size_t windows = desktop->root()->paint_order().size();
    try {
      MakeApplicationTabBar(state->FrameDisplay());
      ADD_FAILURE() << "no exception";
    } catch (const std::invalid_argument& e) {
      EXPECT_EQ(std::string(e.what()),
                "ResourceManager::GetItemConfig no such ItemConfig ( 1," + std::to_string(missing) + ")");
    }
    EXPECT_EQ(desktop->root()->paint_order().size(), windows);
    EXPECT_NE(application_tab_bar::HeldApplicationTabBar(), nullptr);  // the frame keeps its bar
  }
}

}  // namespace
}  // namespace forms_test
