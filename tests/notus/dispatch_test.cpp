#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "notus/event.h"
#include "notus/event_source.h"
#include "notus/impl/event.h"
#include "notus/model_update.h"
#include "notus/view_dispatch.h"

using namespace notus::impl;
using notus::events::model_update;

// Name and number as one string.  Built by appending: GCC 12 misreports
// "literal" + std::to_string(...) under -O2 as an overlapping copy.
inline std::string labelled(std::string name, long long number) {
  name += std::to_string(number);
  return name;
}

namespace {

struct test_display {};
struct test_view;

using platform_event = event<notus::traits>;
using display_event = notus::event<platform_event&, test_display>;
using view_event_type = notus::view_event<display_event, model_update, test_view>;

// Handlers write to the target's log and answer false when the log's refusal
// set names them.
struct journal {
  std::vector<std::string> calls;
  std::set<std::string> refuse;
  bool note(const std::string& name) {
    calls.push_back(name);
    return !refuse.contains(name);
  }
};

struct mouse_and_key : notus::handle_event<ev_mouse>, notus::handle_event<ev_key> {
  template <class T>
  bool on_mouse(ev_mouse&, T& t) {
    return t.log.note("s1.mouse");
  }
  template <class T>
  bool on_key(ev_key&, T& t) {
    return t.log.note("s1.key");
  }
};

struct mouse_and_key_down : notus::handle_event<ev_mouse>, notus::handle_key_down {
  template <class T>
  bool on_mouse(ev_mouse&, T& t) {
    return t.log.note("s2.mouse");
  }
  template <class T>
  bool on_key(ev_key&, T& t) {
    return t.log.note("s2.keydown");
  }
};

struct flag_zero_handlers : notus::handle_event<ev_click, 0>,
                            notus::handle_event<ev_close, 0>,
                            notus::handle_event<ev_state, 0> {
  template <class T>
  bool on_click(ev_click& c, T& t) {
    return t.log.note(labelled("s3.click", c.id));
  }
  template <class T>
  bool on_close(ev_close&, T& t) {
    return t.log.note("s3.close");
  }
  template <class T>
  bool on_state(ev_state&, T& t) {
    return t.log.note("s3.state");
  }
};

struct focus_lost_and_update : notus::handle_event<ev_state, 4>, notus::handle_event<model_update> {
  template <class T>
  bool on_state(ev_state&, T& t) {
    return t.log.note("s4.focuslost");
  }
  template <class T>
  bool on_update(model_update&, T& t) {
    return t.log.note("s4.update");
  }
};

// A strategy with handler-like members but no declaration must never run.
struct undeclared : notus::strategy {
  template <class T>
  bool on_mouse(ev_mouse&, T& t) {
    return t.log.note("undeclared");
  }
};

struct paint_only : notus::handle_event<ev_paint> {
  template <class T>
  bool on_paint(ev_paint&, T& t) {
    return t.log.note("s5.paint");
  }
};

using strategies =
    std::tuple<mouse_and_key, mouse_and_key_down, flag_zero_handlers, focus_lost_and_update, undeclared, paint_only>;

struct test_view : notus::event_source<view_event_type&> {
  using view_event_type = ::view_event_type;
  strategies tuple;
  journal log;
  test_display display;

  void on_display_event(display_event& e) { notus::deliver_display_event(*this, tuple, e); }
  void on_model_update(model_update u) { notus::deliver_model_update(*this, tuple, u); }
};

// A view manager stand-in: its own strategies, the same journal shape.
struct test_manager {
  strategies tuple;
  journal log;
  void on_view_event(view_event_type& e) { notus::deliver_view_event(*this, tuple, e); }
};

struct row {
  const char* name;
  platform_event event;
  std::set<std::string> refuse;
  std::vector<std::string> view_calls;     // listener first, then strategies
  std::vector<std::string> manager_calls;  // the manager's strategies for the same event
};

std::vector<row> rows() {
  return {
      {"mouse: listeners, then strategies in tuple order",
       platform_event(ev_mouse{0, mouse_action::down, 1, 5, 5}),
       {},
       {"listener:1", "s1.mouse", "s2.mouse"},
       {"s1.mouse", "s2.mouse"}},
      {"false stops the strategies after it",
       platform_event(ev_mouse{0, mouse_action::move, 0, 5, 5}),
       {"s1.mouse"},
       {"listener:1", "s1.mouse"},
       {"s1.mouse"}},
      {"key down reaches key and key-down handlers",
       platform_event(ev_key{0, 1, 'A', 0}),
       {},
       {"listener:2", "s1.key", "s2.keydown"},
       {"s1.key", "s2.keydown"}},
      {"key up skips key-down handlers",
       platform_event(ev_key{0, 0, 'A', 0}),
       {},
       {"listener:2", "s1.key"},
       {"s1.key"}},
      {"key-down handler only after true",
       platform_event(ev_key{0, 1, 'A', 0}),
       {"s1.key"},
       {"listener:2", "s1.key"},
       {"s1.key"}},
      {"click with flag 0", platform_event(ev_click{7, 0}), {}, {"listener:8", "s3.click7"}, {"s3.click7"}},
      {"click with another flag", platform_event(ev_click{7, 1}), {}, {"listener:8"}, {}},
      {"close with flag 0", platform_event(ev_close{0, 0}), {}, {"listener:6", "s3.close"}, {"s3.close"}},
      {"close with another flag", platform_event(ev_close{0, 2}), {}, {"listener:6"}, {}},
      {"state 0", platform_event(ev_state{0, 0}), {}, {"listener:9", "s3.state"}, {"s3.state"}},
      {"state 4 (focus lost)", platform_event(ev_state{0, 4}), {}, {"listener:9", "s4.focuslost"}, {"s4.focuslost"}},
      {"state 3 has no handler", platform_event(ev_state{0, 3}), {}, {"listener:9"}, {}},
      {"paint", platform_event(ev_paint{}), {}, {"listener:5", "s5.paint"}, {"s5.paint"}},
      {"an unhandled kind reaches the listeners only", platform_event(ev_timer{0, 1}), {}, {"listener:10"}, {}},
      {"an empty kind reaches nobody", platform_event(), {}, {}, {}},
  };
}

std::string describe(view_event_type& e) {
  if (auto* d = e.payload.get_if<0>()) return labelled("listener:", d->payload.kind.index());
  return "listener:update";
}

}  // namespace

TEST(Dispatch, ViewsAndManagersRunTheirStrategiesByKind) {
  for (row& r : rows()) {
    SCOPED_TRACE(r.name);
    test_view view;
    view.log.refuse = r.refuse;
    auto listener =
        notus::make_shared_connection(view, [&view](view_event_type& e) { view.log.calls.push_back(describe(e)); });
    display_event on_display{r.event, view.display};
    view.on_display_event(on_display);
    EXPECT_EQ(view.log.calls, r.view_calls);

    test_manager manager;
    manager.log.refuse = r.refuse;
    view_event_type from_view{on_display, view};
    manager.on_view_event(from_view);
    EXPECT_EQ(manager.log.calls, r.manager_calls);
  }
}

TEST(Dispatch, AModelUpdateReachesListenersThenEveryStrategyThatHandlesIt) {
  test_view view;
  test_manager manager;
  auto to_manager = notus::make_shared_connection(view, [&](view_event_type& e) {
    view.log.calls.push_back(describe(e));
    manager.on_view_event(e);
  });
  view.on_model_update(model_update{});
  EXPECT_EQ(view.log.calls, (std::vector<std::string>{"listener:update", "s4.update"}));
  EXPECT_EQ(manager.log.calls, (std::vector<std::string>{"s4.update"}));
}

namespace {
// Stands in for a damaged view event: the only way to give it a bad index.
struct damaged_alternatives : ttl::var::variant<display_event&, model_update&> {
  explicit damaged_alternatives(model_update& u) : variant(u) {}
  void force_index(int index) { m_index = index; }
};
}  // namespace

TEST(Dispatch, AnImpossibleIndexGivesTypelistError) {
  test_view view;
  test_manager manager;
  model_update update;
  notus::event<damaged_alternatives, test_view> e{damaged_alternatives(update), view};
  e.payload.force_index(2);
  EXPECT_THROW(notus::deliver_view_event(manager, manager.tuple, e), ttl::meta::exception);
  e.payload.force_index(1);
  notus::deliver_view_event(manager, manager.tuple, e);
  EXPECT_EQ(manager.log.calls, (std::vector<std::string>{"s4.update"}));
}
