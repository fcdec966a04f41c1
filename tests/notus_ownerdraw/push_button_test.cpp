// The push button's press-and-click state machine, as one table run on a
// virtual window and on a window rectangle, and the push button's paint.

#include "notus/ownerdraw/push_button.h"

#include <memory>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "notus/displays/window_rectangle.h"
#include "tests/support/widget_fixture.h"

namespace {

using namespace widget_test;
using notus::ownerdraw::push_button_model;
using notus::ownerdraw::push_button_view;

// The button covers x 10..69 and y 10..29 of the main window; on the window
// rectangle, of its parent window, which lies at the main window's origin.
constexpr RECT kButton{10, 10, 70, 30};

// One step: "down x y [right|middle]", "move x y", "up x y [...]",
// "keydown space|return|home", "keyup ...".
struct press_case {
  const char* name;
  std::vector<const char*> steps;
  // After each step "PC": P pressed or -, C capture held or -; "click:P"
  // where a listener sees a click, with the pressed flag it sees.
  const char* trace;
};

const std::vector<press_case> kPressCases = {
    {"press in, move out, release out", {"down 20 20", "move 80 20", "up 80 20"}, "PC -C --"},
    {"press in, out and back in, release in",
     {"down 20 20", "move 80 20", "move 30 20", "up 30 20"},
     "PC -C PC click:- --"},
    {"right button", {"down 20 20 right", "up 20 20 right"}, "PC click:- --"},
    {"middle button", {"down 20 20 middle", "up 20 20 middle"}, "PC click:- --"},
    {"release on the right edge", {"down 20 20", "up 70 20"}, "PC --"},
    {"release on the bottom edge", {"down 20 20", "up 20 30"}, "PC --"},
    {"release on the left and top edges", {"down 20 20", "up 10 10"}, "PC click:- --"},
    {"press outside, release inside", {"down 100 50", "up 20 20"}, "-- --"},
    {"space with repeats", {"keydown space", "keydown space", "keydown space", "keyup space"}, "PC PC PC click:P --"},
    {"return during a mouse press",
     {"down 20 20", "keydown return", "keyup return", "up 20 20"},
     "PC PC PC click:- --"},
    {"space down, return up", {"keydown space", "keyup return"}, "PC click:P --"},
    {"a key-up alone", {"keyup space"}, "--"},
    {"other keys", {"keydown home", "keyup home"}, "-- --"},
    {"any button's release ends the press",
     {"down 20 20", "down 20 20 right", "up 20 20 right", "up 20 20"},
     "PC PC click:- -- --"},
};

// A push button on some display: the test drives it and reads its state.
class press_rig {
 public:
  virtual ~press_rig() = default;
  virtual push_button_model& model() = 0;
  // Keys as the focused window receives them.
  virtual void key(int down, int code) = 0;
};

class PushButtonStates : public WidgetTest {
 protected:
  // Runs the case on the rig; answers the trace.
  std::string run(press_rig& rig, const press_case& c) {
    std::string trace;
    auto append = [&trace](const std::string& s) { trace += (trace.empty() ? "" : " ") + s; };
    clicks_to = [&](bool pressed) { append(std::string("click:") + (pressed ? "P" : "-")); };
    for (const char* step : c.steps) {
      std::istringstream in(step);
      std::string what, arg;
      int x = 0, y = 0;
      in >> what;
      if (what == "keydown" || what == "keyup") {
        in >> arg;
        const int code = arg == "space" ? codes::space : arg == "return" ? codes::enter : codes::home;
        rig.key(what == "keydown" ? 1 : 0, code);
      } else {
        in >> x >> y >> arg;
        const int button = arg == "right" ? buttons::right : arg == "middle" ? buttons::middle : buttons::left;
        const auto action = what == "down" ? mouse_action::down : what == "up" ? mouse_action::up : mouse_action::move;
        route(mouse(action, x, y, button));
      }
      append(std::string(rig.model().pressed ? "P" : "-") + (controller.capturing() ? "C" : "-"));
    }
    return trace;
  }

  template <class View>
  notus::shared_connection<> listen_for_clicks(View& v) {
    return listen(v, [this, &v](platform_event& e) {
      if (auto* c = e.kind.get_if<notus::impl::kind_click>()) {
        EXPECT_EQ(c->id, 7);
        clicks_to(v.model().pressed);
      }
    });
  }

  std::function<void(bool)> clicks_to;
};

class window_rig : public press_rig {
 public:
  window_rig() {
    const auto& h = m_view.display().handle();
    window_ops::move(h, {kButton.left, kButton.top});
    window_ops::resize(h, {kButton.right - kButton.left, kButton.bottom - kButton.top}, false);
    window_ops::set_focus(h);
    m_view.model().id = 7;
  }
  push_button_model& model() override { return m_view.model(); }
  // Through the controller, to the focused window.
  void key(int down, int code) override {
    platform_event e = widget_test::key(down, code);
    controller_type::current()->dispatch(e);
  }

  push_button_view m_view;
};

using parent_window = notus::displays::virtual_window<traits>;
using rectangle_display = notus::displays::window_rectangle<traits, parent_window>;
// The strategies that work on either display; the paint is a window's.
using rectangle_button = notus::view<
    rectangle_display,
    std::tuple<notus::ownerdraw::push_button_mouse_strategy, notus::ownerdraw::generate_buttonClicked_strategy,
               notus::ownerdraw::push_button_key_strategy>,
    push_button_model>;

class rectangle_rig : public press_rig {
 public:
  rectangle_rig()
      : m_parent(make_parent()),
        m_view(notus::rect<traits>{kButton.left, kButton.top, kButton.right, kButton.bottom}, m_parent.get(),
               m_parent) {
    m_view.model().id = 7;
  }
  push_button_model& model() override { return m_view.model(); }
  // A parent hands keys on to the rectangle it means.
  void key(int down, int code) override {
    platform_event e = widget_test::key(down, code);
    m_view.display().on_event(e);
  }

  std::shared_ptr<parent_window> m_parent;
  rectangle_button m_view;

 private:
  static std::shared_ptr<parent_window> make_parent() {
    auto parent = std::make_shared<parent_window>();
    window_ops::resize(parent->handle(), {200, 100}, false);
    return parent;
  }
};

TEST_F(PushButtonStates, OnAWindow) {
  for (const press_case& c : kPressCases) {
    SCOPED_TRACE(c.name);
    window_rig rig;
    auto heard = listen_for_clicks(rig.m_view);
    EXPECT_EQ(run(rig, c), c.trace);
  }
}

TEST_F(PushButtonStates, OnAWindowRectangle) {
  for (const press_case& c : kPressCases) {
    SCOPED_TRACE(c.name);
    rectangle_rig rig;
    auto heard = listen_for_clicks(rig.m_view);
    EXPECT_EQ(run(rig, c), c.trace);
  }
}

// A rectangle's press repaints its parent, which holds its pixels.
TEST_F(PushButtonStates, ARectangleRepaintsItsParent) {
  rectangle_rig rig;
  rig.m_parent->handle().get()->set_dirty(false);
  press(20, 20);
  EXPECT_TRUE(rig.m_parent->handle().get()->dirty());
}

class PushButtonPaint : public WidgetTest {
 protected:
  std::unique_ptr<push_button_view> button(RECT r, const wchar_t* text = L"OK") {
    auto b = std::make_unique<push_button_view>();
    place(*b, r);
    b->model().text = text;
    return b;
  }
};

TEST_F(PushButtonPaint, FaceThenCaptionThenFocusRing) {
  auto b = button({10, 10, 70, 30});
  ASSERT_TRUE(window_ops::set_focus(b->display().handle()));
  EXPECT_EQ(paint(), (calls{
                         "draw_bitmap(4, 60x20, (0,0))",
                         "begin_bitmap(4, 60, 20)",
                         "fill_rounded_rect({1,1,59,19}, 5, 0x84CEA5, 240)",
                         "frame_rounded_rect({1,1,59,19}, 5, 1, 0x185239, 255)",
                         "end_bitmap()",
                         "draw_bitmap(4, 60x20, (0,0))",
                         "draw_text(\"OK\", {1,1,59,19}, 5)",
                         "frame_rounded_rect({2,2,58,18}, 5, 2, 0x009BFF, 255)",
                     }));
  // The face lands at the window's place in the back buffer.
  const auto& buffer = *host_test::app::instance().back_buffer();
  EXPECT_NE(buffer.pixel(40, 15), host_test::kGrey);
  EXPECT_EQ(buffer.pixel(40, 35), host_test::kGrey);
}

TEST_F(PushButtonPaint, PressedFaceAndDisabledOrder) {
  auto b = button({10, 10, 70, 30});
  b->model().pressed = true;
  calls pressed = paint();
  EXPECT_EQ(only(pressed, "fill_rounded_rect"), calls{"fill_rounded_rect({1,1,59,19}, 5, 0x06814C, 200)"});
  EXPECT_EQ(count(pressed, "begin_bitmap(3, 60, 20)"), 1);
  EXPECT_EQ(count(pressed, "frame_rounded_rect({2,2,58,18}"), 0) << "no focus, no ring";

  window_ops::disable(b->display().handle());
  calls disabled = paint();
  ASSERT_GE(disabled.size(), 2u);
  EXPECT_EQ(disabled[0], "draw_text(\"OK\", {1,1,59,19}, 5)") << "the caption goes under the grey face";
  EXPECT_EQ(disabled[1], "draw_bitmap(5, 60x20, (0,0))");
  EXPECT_EQ(only(disabled, "fill_rounded_rect"), calls{"fill_rounded_rect({1,1,59,19}, 5, 0xC8C8C8, 240)"});
}

TEST_F(PushButtonPaint, EachFaceIsMadeOncePerSize) {
  auto a = button({0, 0, 60, 20}, L"A");
  auto b = button({0, 40, 60, 60}, L"B");
  auto c = button({0, 80, 80, 100}, L"C");
  calls first = paint();
  EXPECT_EQ(only(first, "begin_bitmap"), (calls{"begin_bitmap(4, 60, 20)", "begin_bitmap(4, 80, 20)"}));
  EXPECT_EQ(count(first, "draw_bitmap(4, 60x20"), 3) << "a miss, the new face, then the other button's";

  window_ops::invalidate(a->display().handle());
  window_ops::invalidate(c->display().handle());
  EXPECT_EQ(count(paint(), "begin_bitmap"), 0);
}

// The cache key holds sizes below 1000 only: a wider face is drawn straight.
TEST_F(PushButtonPaint, AFaceTooWideForTheCacheIsDrawnStraight) {
  auto b = button({0, 0, 1000, 20});
  window_ops::disable(b->display().handle());
  for (int twice = 0; twice < 2; ++twice) {
    window_ops::invalidate(b->display().handle());
    EXPECT_EQ(paint(), (calls{
                           "draw_text(\"OK\", {1,1,999,19}, 5)",
                           "fill_rounded_rect({1,1,999,19}, 5, 0xC8C8C8, 240)",
                           "frame_rounded_rect({1,1,999,19}, 5, 1, 0x185239, 255)",
                       }));
  }
}

}  // namespace
