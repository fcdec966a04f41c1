// The tool tip hears every press and key of the form as a listener and hides
// itself, telling its owner once, when the player presses outside its
// rectangle or any key but Tab.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "notus/ownerdraw/tooltip.h"
#include "tests/support/window_probe.h"

namespace {

using notus::traits;
using probes::platform_event;
using tip_view = tooltip::tool_tip_view;

class ToolTip : public ::testing::Test {
 protected:
  ToolTip() {
    // Listeners hear a press only when it lands on some window: the form.
    form = probes::make_window("form", log, {RECT{0, 0, 300, 200}, 10});
    tip.model().left = 100;
    tip.model().top = 50;
    tip.model().right = 140;
    tip.model().bottom = 70;
    tip.model().on_hide = [this] { hidden_when_called.push_back(!tip.display().handle().get()->visible()); };
  }

  void route(platform_event e) { controller.dispatch(e); }
  bool shown() const { return tip.display().handle().get()->visible(); }

  notus::impl::details::virtual_window_controller controller;
  probes::journal log;
  std::unique_ptr<probes::window> form;
  tip_view tip;
  std::vector<bool> hidden_when_called;
};

TEST_F(ToolTip, DismissalTable) {
  struct {
    const char* name;
    platform_event event;
    bool hides;
  } cases[] = {
      {"press inside, top-left", probes::press(100, 50), false},
      {"press inside, last pixel", probes::press(139, 69), false},
      {"press at x = right", probes::press(140, 60), true},
      {"press at y = bottom", probes::press(120, 70), true},
      {"press left of it", probes::press(99, 60), true},
      {"press far outside", probes::press(10, 10), true},
      {"right button press outside",
       platform_event(notus::impl::ev_mouse{0, notus::impl::mouse_action::down, 3, 10, 10}), true},
      {"move outside", probes::mouse(probes::mouse_action::move, 10, 10), false},
      {"release outside", probes::release(10, 10), false},
      {"Tab", probes::tab_down(), false},
      {"key up", probes::key(0, 7), false},
      {"Return", probes::key(1, 3), true},
      {"a letter", probes::key(1, 7), true},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.name);
    notus::impl::virtual_window_impl<traits>::show(tip.display().handle());
    hidden_when_called.clear();
    // Twice: once hidden, the tool tip hears nothing more.
    route(c.event);
    route(c.event);
    EXPECT_EQ(shown(), !c.hides);
    EXPECT_EQ(hidden_when_called, c.hides ? std::vector<bool>{true} : std::vector<bool>{});
  }
}

TEST_F(ToolTip, HidesWithoutAnOnHideFunction) {
  tip.model().on_hide = {};
  route(probes::key(1, 5));
  EXPECT_FALSE(shown());
}

// The owner is free to drop or rebind its function from inside it; the
// strategy calls a copy, so the running one is not destroyed under it.
TEST_F(ToolTip, TheOnHideFunctionMayClearItself) {
  int calls = 0;
  tip.model().on_hide = [this, &calls] {
    tip.model().on_hide = {};
    ++calls;  // reads a capture of the function just dropped
  };
  route(probes::press(10, 10));
  EXPECT_EQ(calls, 1);
  EXPECT_TRUE(tip.model().on_hide.empty());
}

}  // namespace
