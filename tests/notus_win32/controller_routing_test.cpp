// Mouse and key routing of the window controller: hit testing in paint order,
// capture, focus on press, listeners, Tab.
#include <gtest/gtest.h>

#include "tests/support/window_probe.h"

using namespace probes;

namespace {

class Routing : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(virtual_window_controller::current(), &controller); }

  void route(platform_event e) { virtual_window_controller::current()->dispatch(e); }

  virtual_window_controller controller;
  journal log;
};

TEST_F(Routing, EqualZKeepsRegistrationOrderAndLowerZStandsInFront) {
  auto first = make_window("first", log, {{0, 0, 50, 50}});
  auto second = make_window("second", log, {{0, 0, 50, 50}});
  log.clear();
  route(press(10, 10));
  EXPECT_EQ(log, (journal{"second:state 3", "second:mouse 3 10,10"}));

  first->set_z_order(-1);
  log.clear();
  route(press(10, 10));
  EXPECT_EQ(log, (journal{"first:state 3", "second:state 4", "first:mouse 3 10,10"}));
  EXPECT_EQ(name_of(controller.paint_order().back()), "first");
}

TEST_F(Routing, TheReceiverGetsLocalCoordinatesAndListenersMainWindowOnes) {
  auto button = make_window("button", log, {{100, 40, 160, 70}});
  auto hint = make_window("hint", log, {{0, 0, 400, 400}}, winobj_virtual_window::flag_listener);
  log.clear();
  route(mouse(mouse_action::move, 110, 45));
  EXPECT_EQ(log, (journal{"button:mouse 0 10,5", "hint:mouse 0 110,45"}));
}

TEST_F(Routing, ListenersHearNothingWhenNothingWasHit) {
  auto button = make_window("button", log, {{100, 40, 160, 70}});
  auto hint = make_window("hint", log, {{0, 0, 400, 400}}, winobj_virtual_window::flag_listener);
  log.clear();
  route(press(5, 5));
  route(mouse(mouse_action::move, 5, 5));
  route(release(5, 5));
  EXPECT_TRUE(log.empty());
  // A listener never becomes the target, although it covers the point.
  EXPECT_EQ(controller.pressed(), nullptr);
}

TEST_F(Routing, HiddenListenersHearNothing) {
  auto button = make_window("button", log, {{0, 0, 10, 10}});
  auto hint = make_window("hint", log, {{0, 0, 10, 10}}, winobj_virtual_window::flag_listener);
  hint->hide();
  controller.set_focus(button.get());
  log.clear();
  route(mouse(mouse_action::move, 1, 1));
  route(key(1, 5));
  EXPECT_EQ(log, (journal{"button:mouse 0 1,1", "button:key 1 5"}));
}

TEST_F(Routing, APressOnADisabledOrHiddenWindowHitsTheOneBehind) {
  auto back = make_window("back", log, {{0, 0, 100, 100}, 10});
  auto front = make_window("front", log, {{0, 0, 50, 50}, 0});
  front->disable();
  log.clear();
  route(press(20, 20));
  EXPECT_EQ(log, (journal{"back:state 3", "back:mouse 3 20,20"}));

  front->enable();
  front->hide();
  log.clear();
  route(release(20, 20));
  EXPECT_EQ(log, (journal{"back:mouse 4 20,20"}));
}

TEST_F(Routing, ContainsIsHalfOpen) {
  auto w = make_window("w", log, {{10, 10, 20, 20}});
  log.clear();
  for (auto [x, y] : {std::pair{20, 15}, {15, 20}, {9, 15}}) route(mouse(mouse_action::move, x, y));
  EXPECT_TRUE(log.empty());
  route(mouse(mouse_action::move, 10, 19));
  EXPECT_EQ(log, (journal{"w:mouse 0 0,9"}));
}

TEST_F(Routing, CaptureBeatsHitTestingAndKeepsTheFocusWhereItIs) {
  auto a = make_window("a", log, {{0, 0, 50, 50}});
  auto b = make_window("b", log, {{100, 0, 150, 50}});
  controller.set_focus(a.get());
  controller.capture(b.get());
  log.clear();
  route(press(10, 10));
  route(mouse(mouse_action::double_click, 10, 10));  // even a double click goes to the captor
  EXPECT_EQ(log, (journal{"b:mouse 3 -90,10", "b:mouse 2 -90,10"}));
  EXPECT_EQ(controller.focused(), a.get());
  EXPECT_FALSE(controller.set_focus(b.get()));
}

TEST_F(Routing, PressFocusesAFocusableTargetAndRemembersIt) {
  auto plain = make_window("plain", log, {{0, 0, 50, 50}});
  auto label = make_window("label", log, {{100, 0, 150, 50}}, winobj_virtual_window::flag_never_focused);
  route(press(120, 10));
  EXPECT_EQ(controller.focused(), nullptr);
  EXPECT_EQ(controller.pressed(), label.get());
  route(press(10, 10));
  EXPECT_EQ(controller.focused(), plain.get());
  EXPECT_EQ(controller.pressed(), plain.get());
  route(press(300, 300));  // a press on nothing forgets the pressed window
  EXPECT_EQ(controller.pressed(), nullptr);
  route(press(10, 10));
  route(release(300, 300));
  EXPECT_EQ(controller.pressed(), nullptr);
}

TEST_F(Routing, DoubleClicksAndOtherKindsAreDropped) {
  auto w = make_window("w", log, {{0, 0, 50, 50}});
  auto hint = make_window("hint", log, {{0, 0, 50, 50}}, winobj_virtual_window::flag_listener);
  log.clear();
  route(mouse(mouse_action::double_click, 10, 10));
  route(mouse(static_cast<mouse_action>(7), 10, 10));  // no platform reports it
  route(platform_event(notus::impl::ev_click{1, 0}));
  route(platform_event());
  EXPECT_TRUE(log.empty());
}

TEST_F(Routing, KeysGoToTheFocusedWindowWhateverItsStateThenToListeners) {
  auto a = make_window("a", log, {{0, 0, 50, 50}});
  auto hint = make_window("hint", log, {{0, 0, 50, 50}}, winobj_virtual_window::flag_listener);
  controller.set_focus(a.get());
  a->hide();  // nothing else can take the focus, so a keeps it
  log.clear();
  route(key(1, 5));
  route(key(0, 5));
  EXPECT_EQ(log, (journal{"a:key 1 5", "hint:key 1 5", "a:key 0 5", "hint:key 0 5"}));
}

TEST_F(Routing, TabMovesTheFocusBeforeTheKeyIsDelivered) {
  auto a = make_window("a", log, {{0, 0, 10, 10}, 0, 1});
  auto b = make_window("b", log, {{0, 0, 10, 10}, 0, 2});
  controller.set_focus(a.get());
  log.clear();
  route(tab_down());
  EXPECT_EQ(log, (journal{"b:state 3", "a:state 4", "b:key 1 2"}));
  log.clear();
  route(key(0, 2));  // key-up of Tab does not move
  EXPECT_EQ(log, (journal{"b:key 0 2"}));
}

TEST_F(Routing, TabWithOneOrNoCandidate) {
  auto only = make_window("only", log, {{0, 0, 10, 10}});
  auto label = make_window("label", log, {{0, 0, 10, 10}}, winobj_virtual_window::flag_never_focused);
  controller.set_focus(only.get());
  log.clear();
  route(tab_down());
  EXPECT_EQ(controller.focused(), only.get());
  EXPECT_EQ(log, (journal{"only:key 1 2"}));

  only->disable();  // no candidate left; the focus stays and keys still reach it
  log.clear();
  route(tab_down());
  EXPECT_EQ(controller.focused(), only.get());
  EXPECT_EQ(log, (journal{"only:key 1 2"}));
}

TEST_F(Routing, WithoutWindowsOrFocusNothingHappens) {
  route(press(1, 1));
  route(tab_down());
  auto hint = make_window("hint", log, {{0, 0, 10, 10}}, winobj_virtual_window::flag_listener);
  log.clear();
  route(key(1, 5));
  EXPECT_EQ(log, (journal{"hint:key 1 5"}));
}

// A receiver may destroy a listener that has not had its turn yet.
class destroying_window : public window {
 public:
  using window::window;
  std::unique_ptr<window>* victim = nullptr;
  void handle_event(platform_event& e) override {
    window::handle_event(e);
    if (victim) victim->reset();
  }
};

TEST_F(Routing, AListenerDestroyedDuringDeliveryIsSkipped) {
  auto killer = std::make_unique<destroying_window>("killer", log);
  killer->resize(10, 10);
  killer->show();
  auto hint = make_window("hint", log, {{0, 0, 10, 10}}, winobj_virtual_window::flag_listener);
  killer->victim = &hint;
  log.clear();
  route(mouse(mouse_action::move, 1, 1));
  EXPECT_EQ(log, (journal{"killer:mouse 0 1,1"}));
}

TEST_F(Routing, SendEventAndDispatchToWindowReachOnlyRegisteredWindows) {
  auto a = make_window("a", log, {{0, 0, 10, 10}});
  probes::journal other_log;
  std::unique_ptr<window> stranger;
  {
    virtual_window_controller other;
    stranger = make_window("stranger", other_log, {{0, 0, 10, 10}});
  }
  platform_event deferred(notus::impl::ev_deferred{0, 0});
  controller.send_event(a.get(), deferred);
  controller.send_event(stranger.get(), deferred);
  EXPECT_EQ(log, (journal{"a:kind 13"}));
  EXPECT_TRUE(other_log.empty());
}

}  // namespace
