// Display kinds over real window objects, and window rectangles inside them.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "notus/displays/virtual_window.h"
#include "notus/displays/window_rectangle.h"
#include "notus/platform/ownerdrawWin32/invalid_rect.h"
#include "tests/support/window_probe.h"

using namespace probes;
using notus::traits;
namespace displays = notus::displays;
using display_event = displays::display_event<traits>;
using impl = notus::impl::virtual_window_impl<traits>;

namespace {

class Displays : public ::testing::Test {
 protected:
  // Every event that reaches d, described.
  template <class D>
  notus::shared_connection<> listen(D& d, std::vector<std::string>& seen) {
    return notus::make_shared_connection(d, ttl::func::function1<void, display_event&>([&seen](display_event& e) {
                                           std::string entry = "kind " + std::to_string(e.payload.kind.index());
                                           if (auto* m = e.payload.kind.get_if<notus::impl::kind_mouse>())
                                             entry += " at " + std::to_string(m->x) + "," + std::to_string(m->y);
                                           seen.push_back(entry);
                                         }));
  }

  void route(platform_event e) { virtual_window_controller::current()->dispatch(e); }

  virtual_window_controller controller;
};

template <class D>
void expect_kind(unsigned flags, int z, bool focusable, bool listener) {
  D d;
  const auto* w = d.handle().get();
  EXPECT_EQ(w->flags(), flags);
  EXPECT_EQ(w->z_order(), z);
  EXPECT_EQ(w->focusable(), focusable);
  EXPECT_EQ(w->listener(), listener);
  EXPECT_TRUE(w->visible());
  EXPECT_TRUE(w->dirty());
}

TEST_F(Displays, EachKindHasItsFlagsAndPaintOrderAndStartsVisibleAndDirty) {
  expect_kind<displays::virtual_window<traits>>(0, 0, true, false);
  expect_kind<displays::virtual_window_nonfocusable<traits>>(2, 0, false, false);
  expect_kind<displays::virtual_window_label<traits>>(2, 5, false, false);
  expect_kind<displays::virtual_window_frame<traits>>(3, 30, false, false);
  expect_kind<displays::virtual_window_hint<traits>>(6, -30, false, true);
  EXPECT_TRUE(controller.tab_order().empty());
}

TEST_F(Displays, ADisplayRaisesWhatItsWindowReceivesAndLeavesTheControllerWhenDestroyed) {
  std::vector<std::string> seen;
  {
    displays::virtual_window<traits> d;
    impl::resize(d.handle(), {100, 50}, false);
    impl::move(d.handle(), {10, 10});
    auto c = listen(d, seen);
    route(press(20, 30));
    route(key(1, 5));  // focused by the press
    EXPECT_EQ(seen, (std::vector<std::string>{"kind 9", "kind 1 at 10,20", "kind 2"}));
    EXPECT_TRUE(impl::has_focus(d.handle()));
  }
  EXPECT_TRUE(controller.tab_order().empty());
  EXPECT_EQ(controller.focused(), nullptr);
}

TEST_F(Displays, OperationsActOnTheWindowObject) {
  displays::virtual_window<traits> d;
  impl::resize(d.handle(), {30, 20}, false);
  impl::move(d.handle(), {5, 6});
  EXPECT_EQ(impl::size(d.handle()).width, 30);
  EXPECT_EQ(impl::size(d.handle()).height, 20);
  EXPECT_EQ(impl::rect(d.handle()).right, 35);
  EXPECT_EQ(impl::rect(d.handle()).bottom, 26);
  d.handle().get()->set_dirty(false);
  impl::invalidate(d.handle(), {0, 0, 1, 1});
  EXPECT_TRUE(d.handle().get()->dirty());
  impl::disable(d.handle());
  EXPECT_FALSE(impl::is_enabled(d.handle()));
  impl::enable(d.handle());
  impl::capture(d.handle());
  EXPECT_TRUE(impl::has_capture(d.handle()));
  EXPECT_FALSE(impl::set_focus(d.handle()));  // refused while captured
  impl::release_capture(d.handle());
  EXPECT_FALSE(impl::has_capture(d.handle()));
  EXPECT_TRUE(impl::set_focus(d.handle()));
  EXPECT_TRUE(impl::has_focus(d.handle()));
}

// The parts of a scroll bar: rectangles of the bar's window.
class Rectangles : public Displays {
 protected:
  using parent_type = displays::virtual_window_nonfocusable<traits>;
  using part_type = displays::window_rectangle<traits, parent_type>;

  Rectangles() {
    impl::resize(bar->handle(), {20, 200}, false);
    impl::move(bar->handle(), {100, 0});
  }

  platform_event paint(RECT update) {
    notus::impl::ev_paint p{};
    p.update = update;
    p.client = {0, 0, 20, 200};
    p.item_state = 2;
    return platform_event(p);
  }

  std::shared_ptr<parent_type> bar = std::make_shared<parent_type>();
};

TEST_F(Rectangles, APaintReachesARectangleOnlyWhereItMeetsIt) {
  part_type box({0, 50, 20, 80}, bar.get(), bar);
  std::vector<notus::impl::ev_paint> painted;
  auto c = notus::make_shared_connection(box, ttl::func::function1<void, display_event&>([&](display_event& e) {
                                           painted.push_back(*e.payload.kind.get_if<notus::impl::kind_paint>());
                                         }));
  auto miss = paint({0, 0, 20, 40});
  bar->on_event(miss);
  EXPECT_TRUE(painted.empty());

  auto half = paint({0, 65, 20, 200});
  bar->on_event(half);
  ASSERT_EQ(painted.size(), 1u);
  const auto& p = painted[0];
  EXPECT_EQ(p.update.top, 65);
  EXPECT_EQ(p.update.bottom, 80);
  EXPECT_EQ(p.client.top, 50);
  EXPECT_EQ(p.client.bottom, 80);
  EXPECT_EQ(p.item_state, 0);

  auto touching = paint({0, 80, 20, 200});  // shares the bottom edge only
  bar->on_event(touching);
  ASSERT_EQ(painted.size(), 2u);
  EXPECT_EQ(painted[1].update.top, painted[1].update.bottom);
}

TEST_F(Rectangles, MouseEventsArriveInTheParentsCoordinatesWithEarlierEditsKeysNever) {
  // The bar's own listener connects first and rewrites the pointer in place.
  auto rewrite = notus::make_shared_connection(*bar, ttl::func::function1<void, display_event&>([](display_event& e) {
    if (auto* m = e.payload.kind.get_if<notus::impl::kind_mouse>()) m->y = -3333;
  }));
  part_type up({0, 0, 20, 20}, bar.get(), bar);
  std::vector<std::string> seen;
  auto c = listen(up, seen);
  route(mouse(mouse_action::move, 105, 150));
  for (auto other :
       {key(1, 5), platform_event(notus::impl::ev_size{0, 1, 1}), platform_event(notus::impl::ev_click{1, 0})})
    bar->on_event(other);
  EXPECT_EQ(seen, (std::vector<std::string>{"kind 1 at 5,-3333"}));
}

TEST_F(Rectangles, HandledEventsStayWithTheParent) {
  part_type up({0, 0, 20, 20}, bar.get(), bar);
  std::vector<std::string> seen;
  auto c = listen(up, seen);
  auto e = mouse(mouse_action::move, 1, 1);
  e.handled = true;
  bar->on_event(e);
  EXPECT_TRUE(seen.empty());
}

TEST_F(Rectangles, CaptureGoesThroughTheParentAndDestructionRepaintsIt) {
  auto box = std::make_unique<part_type>(notus::rect<traits>{0, 50, 20, 80}, bar.get(), bar);
  part_type other({0, 0, 20, 20}, bar.get(), bar);
  box->capture();
  EXPECT_TRUE(box->has_capture());
  EXPECT_TRUE(impl::has_capture(bar->handle()));
  other.capture();  // the parent is taken already
  EXPECT_FALSE(other.has_capture());
  box->release_capture();
  EXPECT_FALSE(impl::has_capture(bar->handle()));

  box->capture();
  bar->handle().get()->set_dirty(false);
  box.reset();
  EXPECT_TRUE(bar->handle().get()->dirty());
  EXPECT_FALSE(impl::has_capture(bar->handle()));  // no capture left behind
}

TEST_F(Rectangles, ARectangleKeepsItsParentAlive) {
  auto part = std::make_unique<part_type>(notus::rect<traits>{0, 0, 20, 20}, bar.get(), bar);
  std::weak_ptr<parent_type> watch = bar;
  bar.reset();
  EXPECT_FALSE(watch.expired());
  EXPECT_EQ(controller.tab_order().size(), 1u);
  part.reset();
  EXPECT_TRUE(watch.expired());
  EXPECT_TRUE(controller.tab_order().empty());
}

}  // namespace
