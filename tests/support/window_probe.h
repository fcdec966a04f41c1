// Test helpers for the window controller: window objects that write what
// reaches them into a shared log, and event makers.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "notus/impl/event.h"
#include "notus/platform/ownerdrawWin32/virtual_window_controller.h"
#include "notus/platform/ownerdrawWin32/winobj_virtual_window.h"

namespace probes {

using notus::impl::event;
using notus::impl::details::virtual_window_controller;
using notus::impl::details::winobj_virtual_window;
using platform_event = event<notus::traits>;

using notus::impl::mouse_action;

inline platform_event mouse(mouse_action action, int x, int y) {
  return platform_event(notus::impl::ev_mouse{0, action, 1, x, y});
}
inline platform_event press(int x, int y) { return mouse(mouse_action::down, x, y); }
inline platform_event release(int x, int y) { return mouse(mouse_action::up, x, y); }
inline platform_event key(int down, int code) { return platform_event(notus::impl::ev_key{0, down, 0, code}); }
inline platform_event tab_down() { return key(1, 2); }

using journal = std::vector<std::string>;

// Logs "name:mouse action x,y", "name:key down code", "name:state n" or
// "name:kind k".
class window : public winobj_virtual_window {
 public:
  window(std::string name, journal& log, unsigned flags = 0)
      : winobj_virtual_window(flags), m_name(std::move(name)), m_log(log) {}

  void handle_event(platform_event& e) override {
    std::string entry = m_name + ":";
    if (auto* m = e.kind.get_if<notus::impl::kind_mouse>())
      entry += "mouse " + std::to_string(static_cast<int>(m->action)) + " " + std::to_string(m->x) + "," +
               std::to_string(m->y);
    else if (auto* k = e.kind.get_if<notus::impl::kind_key>())
      entry += "key " + std::to_string(k->down) + " " + std::to_string(k->code);
    else if (auto* s = e.kind.get_if<notus::impl::kind_state>())
      entry += "state " + std::to_string(s->state);
    else
      entry += "kind " + std::to_string(e.kind.index());
    m_log.push_back(entry);
  }

  const std::string& name() const { return m_name; }

 private:
  std::string m_name;
  journal& m_log;
};

struct placement {
  RECT rect{};
  int z = 0;
  int tab = 0;
  int order = 0;
};

// A visible window at its place.
inline std::unique_ptr<window> make_window(const std::string& name, journal& log, const placement& p,
                                           unsigned flags = 0) {
  auto w = std::make_unique<window>(name, log, flags);
  w->move(p.rect.left, p.rect.top);
  w->resize(p.rect.right - p.rect.left, p.rect.bottom - p.rect.top);
  w->set_z_order(p.z);
  w->set_tab_index(p.tab);
  w->set_order_index(p.order);
  w->show();
  return w;
}

inline std::string name_of(const winobj_virtual_window* w) {
  auto* probe = dynamic_cast<const window*>(w);
  return probe ? probe->name() : (w ? "?" : "none");
}

}  // namespace probes
