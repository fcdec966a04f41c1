// The arrow keys move the focus through the controller's four moves: one
// table per navigation strategy, over push buttons in three groups.

#include "notus/ownerdraw/navigation.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "notus/ownerdraw/push_button.h"
#include "tests/support/widget_fixture.h"

namespace {

using namespace widget_test;

struct move_case {
  const char* start;
  int code;
  int down;
  const char* expected;
};

// Group 1 holds A, B and C; group 2 holds D alone; group 3 holds E.
template <class ButtonView>
class buttons_in_groups {
 public:
  buttons_in_groups() {
    const std::vector<std::pair<std::string, std::pair<int, int>>> layout = {
        {"A", {1, 0}}, {"B", {1, 1}}, {"C", {1, 2}}, {"D", {2, 0}}, {"E", {3, 0}}};
    int x = 0;
    for (const auto& [name, group] : layout) {
      auto b = std::make_unique<ButtonView>();
      place(*b, {x, 0, x + 40, 20}, group.first, group.second);
      x += 50;
      m_buttons[name] = std::move(b);
    }
  }

  void focus(const std::string& name) { ASSERT_TRUE(window_ops::set_focus(m_buttons.at(name)->display().handle())); }

  std::string focused() const {
    for (const auto& [name, b] : m_buttons)
      if (window_ops::has_focus(b->display().handle())) return name;
    return "none";
  }

 private:
  std::map<std::string, std::unique_ptr<ButtonView>> m_buttons;
};

class Navigation : public WidgetTest {
 protected:
  template <class ButtonView>
  void run(const std::vector<move_case>& table) {
    for (const move_case& c : table) {
      SCOPED_TRACE(std::string(c.start) + " code " + std::to_string(c.code) + (c.down ? " down" : " up"));
      buttons_in_groups<ButtonView> form;
      form.focus(c.start);
      route(key(c.down, c.code));
      EXPECT_EQ(form.focused(), c.expected);
    }
  }
};

TEST_F(Navigation, UpDownInTabLeftRightInGroup) {
  run<notus::ownerdraw::push_button_view>({
      {"B", codes::left, 1, "A"},
      {"B", codes::right, 1, "C"},
      {"C", codes::right, 1, "A"},  // wraps inside the group
      {"B", codes::up, 1, "E"},
      {"B", codes::down, 1, "D"},
      {"B", codes::down, 0, "B"},  // key-ups never move
      {"B", codes::home, 1, "B"},
      {"D", codes::right, 1, "E"},  // a group of one moves on to the next group
      {"D", codes::left, 1, "C"},
  });
}

TEST_F(Navigation, UpDownInGroupLeftRightInTab) {
  run<notus::ownerdraw::menu_push_button_view>({
      {"B", codes::left, 1, "E"},
      {"B", codes::right, 1, "D"},
      {"B", codes::up, 1, "A"},
      {"B", codes::down, 1, "C"},
      {"B", codes::up, 0, "B"},
      {"B", codes::tab, 0, "B"},
      {"D", codes::down, 1, "E"},
      {"D", codes::up, 1, "C"},
  });
}

// Space holds the button down through the capture, which refuses every
// focus move until the release.
TEST_F(Navigation, NoMoveWhileSpaceHoldsAButton) {
  buttons_in_groups<notus::ownerdraw::push_button_view> form;
  form.focus("B");
  key_down(codes::space);
  key_down(codes::down);
  key_down(codes::right);
  EXPECT_EQ(form.focused(), "B");
  key_up(codes::space);
  key_down(codes::down);
  EXPECT_EQ(form.focused(), "D");
}

}  // namespace
