// Views, view managers and model controllers over real window objects:
// events go display -> view -> manager, the manager's strategies first.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "notus/displays/virtual_window.h"
#include "notus/managers/view_manager.h"
#include "notus/view.h"
#include "tests/support/window_probe.h"

using namespace probes;
using namespace notus::impl;
using notus::traits;
namespace displays = notus::displays;
using impl = virtual_window_impl<traits>;

namespace {

journal g_log;

struct button_model {
  int id;
};

// Reports a click with the model's id on its own display at button up, as a
// widget reports activation.
struct click_on_release : notus::handle_event<ev_mouse> {
  template <class V>
  bool on_mouse(ev_mouse& m, V& v) {
    if (m.action == notus::impl::mouse_action::up) {
      event<traits> click(ev_click{v.model().id, 0});
      v.display().on_event(click);
    }
    return true;
  }
};

struct own_key : notus::handle_event<ev_key> {
  template <class V>
  bool on_key(ev_key& k, V&) {
    g_log.push_back("view key " + std::to_string(k.code));
    return true;
  }
};

struct own_update : notus::handle_event<notus::events::model_update> {
  template <class V>
  bool on_update(notus::events::model_update&, V& v) {
    g_log.push_back("view update " + std::to_string(v.model().id));
    return true;
  }
};

// Announces a change as soon as the view is wired; the view's own update
// strategy can only see it when the model connection exists by then.
struct announce_on_set_up {
  template <class V>
  void set_up(V& v) {
    g_log.push_back("set up");
    notus::events::model_update u;
    v.model().raise(u);
  }
};

using button_view = notus::view<displays::virtual_window<traits>, std::tuple<click_on_release>, button_model>;
using keyed_view = notus::view<displays::virtual_window<traits>, std::tuple<own_key, own_update>, button_model>;

struct form_model {
  std::shared_ptr<button_view> first;
  std::shared_ptr<keyed_view> second;
};

using frame = displays::virtual_window_frame<traits>;

struct form_create {
  template <class M>
  bool create(M& m, std::shared_ptr<frame>& parent) {
    g_log.push_back(std::string("create under frame ") + (parent ? "yes" : "no"));
    m.first = m.template create_view<button_view>();
    m.second = m.template create_view<keyed_view>();
    m.first->model().id = 1;
    m.second->model().id = 2;
    place(m.first->display(), 0);
    place(m.second->display(), 100);
    return true;
  }
  static void place(displays::virtual_window<traits>& d, int x) {
    impl::resize(d.handle(), {50, 50}, false);
    impl::move(d.handle(), {x, 0});
  }
};

struct refusing_create {
  template <class M, class P>
  bool create(M&, P&) {
    g_log.push_back("refuse");
    return false;
  }
};

struct late_create {
  template <class M, class P>
  void create(M&, P&) {
    g_log.push_back("late create");
  }
};

struct form_input : notus::handle_event<ev_click, 0>,
                    notus::handle_key_down,
                    notus::handle_event<notus::events::model_update> {
  template <class M>
  bool on_click(ev_click& c, M&) {
    g_log.push_back("form click " + std::to_string(c.id));
    return true;
  }
  template <class M>
  bool on_key(ev_key& k, M&) {
    g_log.push_back("form key " + std::to_string(k.code));
    return true;
  }
  template <class M>
  bool on_update(notus::events::model_update&, M&) {
    g_log.push_back("form update");
    return true;
  }
};

using form = notus::managers::view_manager<form_model, std::tuple<form_create, form_input>>;

class Views : public ::testing::Test {
 protected:
  void SetUp() override { g_log.clear(); }
  void route(platform_event e) { virtual_window_controller::current()->dispatch(e); }

  virtual_window_controller controller;
  std::shared_ptr<frame> parent = std::make_shared<frame>();
};

TEST_F(Views, AClickOnOneOfTwoViewsReachesTheFormWithThatViewsPayloadOnly) {
  form f(parent);
  EXPECT_EQ(g_log, (journal{"create under frame yes"}));
  g_log.clear();
  route(press(10, 10));
  route(release(10, 10));
  EXPECT_EQ(g_log, (journal{"form click 1"}));
}

TEST_F(Views, KeysReachTheFormThroughAViewWithoutKeyStrategyAndBeforeAViewsOwn) {
  form f(parent);
  impl::set_focus(f.first->display().handle());
  g_log.clear();
  route(key(1, 3));
  route(key(0, 3));  // the form's key-down strategy ignores releases
  EXPECT_EQ(g_log, (journal{"form key 3"}));

  impl::set_focus(f.second->display().handle());
  g_log.clear();
  route(key(1, 5));
  EXPECT_EQ(g_log, (journal{"form key 5", "view key 5"}));
}

// Only a manager with an update strategy (the list managers) acts on a view's
// model update; it hears of it before the view's own update strategy.
TEST_F(Views, ModelUpdatesReachTheFormFirstThenTheViewsUpdateStrategy) {
  form f(parent);
  g_log.clear();
  notus::events::model_update u;
  f.second->model().raise(u);
  EXPECT_EQ(g_log, (journal{"form update", "view update 2"}));
}

TEST_F(Views, DestroyingTheFormCutsItsViewsConnections) {
  auto f = std::make_unique<form>(parent);
  std::shared_ptr<keyed_view> kept = f->second;
  impl::set_focus(kept->display().handle());
  f.reset();
  g_log.clear();
  route(key(1, 7));
  EXPECT_EQ(g_log, (journal{"view key 7"}));
  // The view nobody else held is gone, and its window with it.
  EXPECT_EQ(controller.tab_order().size(), 2u);
}

TEST_F(Views, ADisplayHeldElsewhereOutlivesItsView) {
  auto v = std::make_unique<keyed_view>();
  std::shared_ptr<displays::virtual_window<traits>> display = v->display_ptr();
  impl::set_focus(display->handle());
  v.reset();
  route(key(1, 7));
  EXPECT_TRUE(g_log.empty());
  EXPECT_EQ(controller.focused(), display->handle().get());
}

TEST_F(Views, CreateStrategiesRunInTupleOrderUntilOneRefuses) {
  notus::managers::view_manager<form_model, std::tuple<late_create, refusing_create, late_create>> m(parent);
  EXPECT_EQ(g_log, (journal{"late create", "refuse"}));
}

TEST_F(Views, SetUpRunsOnceTheViewIsWired) {
  using announcing_view =
      notus::view<displays::virtual_window<traits>, std::tuple<own_update, announce_on_set_up>, button_model>;
  announcing_view v;
  EXPECT_EQ(g_log, (journal{"set up", "view update 0"}));
}

}  // namespace
