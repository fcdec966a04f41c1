// A window controller of its own, a back buffer and a recording device for
// each widget test, with helpers to place views, route input through the
// controller as the main window would, paint, and listen to a view's events
// as its form would.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "notus/event.h"
#include "notus/impl/event.h"
#include "notus/ownerdraw/installed_functions.h"
#include "notus/platform/ownerdrawWin32/device_recorder.h"
#include "notus/platform/ownerdrawWin32/virtual_window_controller.h"
#include "notus/platform/ownerdrawWin32/virtual_window_impl.h"
#include "notus/platform/ownerdrawWin32/winobj_virtual_window.h"
#include "notus/shared_connection.h"
#include "tests/support/host_fixture.h"
#include "ttl/function.h"

namespace widget_test {

using notus::traits;
using platform_event = notus::impl::event<traits>;
using window_ops = notus::impl::virtual_window_impl<traits>;
using controller_type = notus::impl::details::virtual_window_controller;
using calls = std::vector<std::string>;

namespace codes {
inline constexpr int tab = 2;
inline constexpr int enter = 3;
inline constexpr int space = 5;
inline constexpr int home = 8;
inline constexpr int left = 13;
inline constexpr int right = 14;
inline constexpr int up = 15;
inline constexpr int down = 16;
}  // namespace codes

namespace buttons {
inline constexpr int left = 1;
inline constexpr int middle = 2;
inline constexpr int right = 3;
}  // namespace buttons

using notus::impl::mouse_action;

inline platform_event mouse(mouse_action action, int x, int y, int button = buttons::left) {
  return platform_event(notus::impl::ev_mouse{0, action, button, x, y});
}
inline platform_event key(int down, int code) { return platform_event(notus::impl::ev_key{0, down, 0, code}); }

// Places a view's window in the main window, in a tab group.
template <class View>
void place(View& v, RECT r, int tab = 0, int order = 0) {
  const auto& h = v.display().handle();
  window_ops::move(h, {r.left, r.top});
  window_ops::resize(h, {r.right - r.left, r.bottom - r.top}, false);
  window_ops::set_tab_index(h, tab);
  window_ops::set_order_index(h, order);
}

class WidgetTest : public host_test::HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    back_buffer(1100, 300);
    installed.Install(&notus::gdi::set_device_recorder, [this](const std::string& call) { recorded.push_back(call); });
    // Glyphs are recorded with the drawing calls, in their order.
    installed.Install(&notus::ownerdraw::set_glyph_drawer,
                      [this](notus::ownerdraw::face_device&, unsigned id, notus::ownerdraw::face_device::size_type size,
                             notus::ownerdraw::face_device::point_type at) {
                        recorded.push_back("glyph(" + std::to_string(id) + ", " + std::to_string(size.width) + "x" +
                                           std::to_string(size.height) + ", (" + std::to_string(at.x) + "," +
                                           std::to_string(at.y) + "))");
                      });
    // A test installs these itself when it needs them.
    installed.Install(&notus::ownerdraw::set_time_formatter);
    installed.Install(&notus::ownerdraw::set_help_dialog_runner);
  }

  // Mouse coordinates are the main window's.
  void route(platform_event e) { controller.dispatch(e); }
  void press(int x, int y, int button = buttons::left) { route(mouse(mouse_action::down, x, y, button)); }
  void release(int x, int y, int button = buttons::left) { route(mouse(mouse_action::up, x, y, button)); }
  void click(int x, int y) {
    press(x, y);
    release(x, y);
  }
  void key_down(int code) { route(key(1, code)); }
  void key_up(int code) { route(key(0, code)); }

  // The drawing calls of one paint pass.
  calls paint() {
    recorded.clear();
    controller.paint(*host_test::app::instance().back_buffer(), nullptr);
    return recorded;
  }

  // Calls f with every event the view raises to its listeners, before the
  // view's own strategies act on it.
  template <class View>
  static notus::shared_connection<> listen(View& v, std::function<void(platform_event&)> f) {
    using view_event = typename View::view_event_type;
    return notus::make_shared_connection(v, ttl::func::function1<void, view_event&>([f](view_event& e) {
                                           if (auto* d = e.payload.template get_if<0>()) f(d->payload);
                                         }));
  }

  template <class View>
  static bool dirty(View& v) {
    return v.display().handle().get()->dirty();
  }

  controller_type controller;
  calls recorded;
};

// The calls that match `prefix`, in order.
inline calls only(const calls& all, const std::string& prefix) {
  calls out;
  for (const std::string& c : all)
    if (c.rfind(prefix, 0) == 0) out.push_back(c);
  return out;
}

inline int count(const calls& all, const std::string& prefix) { return static_cast<int>(only(all, prefix).size()); }

}  // namespace widget_test
