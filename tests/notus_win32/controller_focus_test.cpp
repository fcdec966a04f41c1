// Focus of the window controller: set_focus and the four focus moves.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <stdexcept>

#include "tests/support/window_probe.h"

using namespace probes;

namespace {

using move_operation = bool (virtual_window_controller::*)();

struct focus_case {
  const char* operation;
  const char* start;  // "none" for no focus
  const char* expected;
  bool moved;
};

// Tab order: group 1 holds A and B, group 2 holds C and D (disabled), group 3
// holds E.  The label L (never focused) sits in group 1 between A and B.
class FocusMoves : public ::testing::TestWithParam<focus_case> {
 protected:
  void SetUp() override {
    add("A", 1, 0);
    add("L", 1, 1, winobj_virtual_window::flag_never_focused);
    add("B", 1, 2);
    add("C", 2, 0);
    add("D", 2, 1)->disable();
    add("E", 3, 0);
  }

  window* add(const std::string& name, int tab, int order, unsigned flags = 0) {
    windows[name] = make_window(name, log, {{0, 0, 10, 10}, 0, tab, order}, flags);
    return windows[name].get();
  }

  static move_operation operation(const std::string& name) {
    static const std::map<std::string, move_operation> operations{
        {"next_tab", &virtual_window_controller::focus_next_tab},
        {"prev_tab", &virtual_window_controller::focus_prev_tab},
        {"next_in_group", &virtual_window_controller::focus_next_in_group},
        {"prev_in_group", &virtual_window_controller::focus_prev_in_group},
    };
    return operations.at(name);
  }

  virtual_window_controller controller;
  journal log;
  std::map<std::string, std::unique_ptr<window>> windows;
};

TEST_P(FocusMoves, MoveTheFocusAsTheTableSays) {
  const focus_case& c = GetParam();
  if (std::string(c.start) != "none") {
    ASSERT_TRUE(controller.set_focus(windows.at(c.start).get()));
  }
  EXPECT_EQ((controller.*operation(c.operation))(), c.moved);
  EXPECT_EQ(name_of(controller.focused()), c.expected);
  int focused_count = 0;
  for (auto& [name, w] : windows) focused_count += w->focused() ? 1 : 0;
  EXPECT_EQ(focused_count, std::string(c.expected) == "none" ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(Table, FocusMoves,
                         ::testing::Values(
                             // With a focus: other group first for the tab moves, same group first
                             // for the group moves; every search wraps once.
                             focus_case{"next_tab", "A", "C", true}, focus_case{"next_tab", "E", "A", true},
                             focus_case{"prev_tab", "A", "E", true}, focus_case{"prev_tab", "C", "B", true},
                             focus_case{"next_in_group", "A", "B", true}, focus_case{"next_in_group", "B", "A", true},
                             focus_case{"next_in_group", "C", "E", true}, focus_case{"prev_in_group", "A", "B", true},
                             focus_case{"prev_in_group", "C", "B", true}, focus_case{"prev_in_group", "E", "C", true},
                             // Without a focus only the other-group search finds anything: the
                             // first candidate from the start, or from the end backwards.
                             focus_case{"next_tab", "none", "A", true}, focus_case{"prev_tab", "none", "E", true},
                             focus_case{"next_in_group", "none", "A", true},
                             focus_case{"prev_in_group", "none", "E", true}),
                         [](const auto& info) {
                           return std::string(info.param.operation) + "_from_" + info.param.start;
                         });

TEST_F(FocusMoves, EveryMoveIsRefusedWhileTheCaptureIsHeld) {
  controller.set_focus(windows.at("A").get());
  controller.capture(windows.at("C").get());
  for (const char* name : {"next_tab", "prev_tab", "next_in_group", "prev_in_group"}) {
    EXPECT_FALSE((controller.*operation(name))()) << name;
    EXPECT_EQ(controller.focused(), windows.at("A").get()) << name;
  }
}

TEST_F(FocusMoves, NothingToMoveToWhenNoOtherWindowIsACandidate) {
  for (const char* name : {"B", "C", "E"}) windows.at(name)->hide();
  controller.set_focus(windows.at("A").get());
  for (const char* name : {"next_tab", "prev_tab", "next_in_group", "prev_in_group"})
    EXPECT_FALSE((controller.*operation(name))()) << name;
  EXPECT_EQ(controller.focused(), windows.at("A").get());
}

TEST_F(FocusMoves, SetFocusTellsTheNewWindowFirstThenTheOldOne) {
  window* a = windows.at("A").get();
  window* b = windows.at("B").get();
  controller.set_focus(a);
  a->set_dirty(false);
  b->set_dirty(false);
  log.clear();
  EXPECT_TRUE(controller.set_focus(b));
  EXPECT_EQ(log, (journal{"B:state 3", "A:state 4"}));
  EXPECT_TRUE(b->focused() && b->dirty());
  EXPECT_TRUE(!a->focused() && a->dirty());
  EXPECT_FALSE(controller.set_focus(b));
  EXPECT_EQ(log.size(), 2u);
}

TEST_F(FocusMoves, AFocusedWindowMissingFromTheTabOrderIsReported) {
  journal other_log;
  std::unique_ptr<window> stranger;
  {
    virtual_window_controller other;
    stranger = make_window("stranger", other_log, {{0, 0, 10, 10}});
  }
  controller.set_focus(stranger.get());
  try {
    controller.focus_next_tab();
    FAIL() << "no error";
  } catch (const std::logic_error& e) {
    EXPECT_STREQ(e.what(), "Focused window is not present.");
  }
}

TEST_F(FocusMoves, HidingOrDisablingTheFocusedWindowMovesTheFocusInItsGroupThenOnward) {
  controller.set_focus(windows.at("A").get());
  windows.at("A")->hide();
  EXPECT_EQ(name_of(controller.focused()), "B");
  windows.at("B")->disable();  // group 1 is empty now: on to the next group
  EXPECT_EQ(name_of(controller.focused()), "C");
}

// State handlers act on windows while the focus moves: a combo box hides its
// list when the list loses the focus, a dropped-down part may go away, a
// group may hand the focus on to a child.  The controller must end with one
// focused window that still exists, and tell each window once.
class reacting_window : public window {
 public:
  using window::window;

  void handle_event(platform_event& e) override {
    window::handle_event(e);
    if (auto* s = e.kind.get_if<notus::impl::kind_state>())
      if (on_state) on_state(s->state);
  }

  std::function<void(int)> on_state;
};

class FocusHandlers : public ::testing::Test {
 protected:
  std::unique_ptr<reacting_window> add(const std::string& name, int order) {
    auto w = std::make_unique<reacting_window>(name, log);
    w->resize(10, 10);
    w->set_order_index(order);
    w->show();
    return w;
  }

  int count(const std::string& entry) const { return static_cast<int>(std::count(log.begin(), log.end(), entry)); }

  virtual_window_controller controller;
  journal log;
};

TEST_F(FocusHandlers, AWindowThatHidesItselfOnLosingTheFocusLetsTheFocusLand) {
  auto list = add("list", 0);
  auto other = add("other", 1);
  auto third = add("third", 2);
  ASSERT_TRUE(controller.set_focus(list.get()));
  list->on_state = [&](int state) {
    if (state == 4 && !list->focused() && list->visible()) list->hide();
  };
  log.clear();
  EXPECT_TRUE(controller.set_focus(third.get()));
  EXPECT_EQ(controller.focused(), third.get());
  EXPECT_FALSE(list->visible());
  EXPECT_FALSE(other->focused());
  EXPECT_EQ(log, (journal{"third:state 3", "list:state 4"}));
}

TEST_F(FocusHandlers, AWindowDestroyedByTheFocusChangeIsNotKept) {
  auto old = add("old", 0);
  auto gaining = add("gaining", 1);
  ASSERT_TRUE(controller.set_focus(old.get()));
  old->on_state = [&](int state) {
    if (state == 4) gaining.reset();
  };
  EXPECT_FALSE(controller.set_focus(gaining.get()));
  EXPECT_EQ(controller.focused(), nullptr);
  EXPECT_FALSE(old->focused());
  platform_event k = key(1, 5);
  controller.dispatch(k);  // must not reach the destroyed window
}

TEST_F(FocusHandlers, APressWhoseFocusChangeDestroysTheTargetLeavesNoPressedWindow) {
  auto old = add("old", 0);
  auto target = add("target", 1);
  target->move(20, 0);
  ASSERT_TRUE(controller.set_focus(old.get()));
  old->on_state = [&](int state) {
    if (state == 4) target.reset();
  };
  log.clear();
  platform_event p = press(25, 5);
  controller.dispatch(p);
  EXPECT_EQ(controller.pressed(), nullptr);
  EXPECT_EQ(controller.focused(), nullptr);
  EXPECT_EQ(log, (journal{"target:state 3", "old:state 4"}));
}

TEST_F(FocusHandlers, AFocusHandedOnByTheGainingWindowStays) {
  auto old = add("old", 0);
  auto group = add("group", 1);
  auto child = add("child", 2);
  ASSERT_TRUE(controller.set_focus(old.get()));
  group->on_state = [&](int state) {
    if (state == 3) controller.set_focus(child.get());
  };
  log.clear();
  EXPECT_FALSE(controller.set_focus(group.get()));
  EXPECT_EQ(controller.focused(), child.get());
  EXPECT_TRUE(child->focused());
  EXPECT_FALSE(group->focused());
  EXPECT_FALSE(old->focused());
  EXPECT_EQ(count("old:state 4"), 1);
}

}  // namespace
