// The tool tip: an invisible window in front of the form that notices when
// the player is done with the text the application shows (the hint, hint.h).
// Its display is a listener (virtual_window_hint), so it sees every mouse
// event of the form in main-window coordinates and every key event, after the
// window they are meant for.  A press outside the model's rectangle, or any
// key but Tab, hides the tool tip and tells its owner through the on-hide
// function; the owner shows it again with the next text.
#pragma once

#include <cstdint>
#include <string>
#include <tuple>

#include "notus/displays/virtual_window.h"
#include "notus/impl/payloads.h"
#include "notus/key_codes.h"
#include "notus/strategy.h"
#include "notus/view.h"
#include "ttl/function.h"

namespace tooltip {

struct tool_tip_model {
  std::wstring text;
  // Presses inside it (right and bottom outside) leave the tool tip shown:
  // the owner puts the help button there.
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
  ttl::func::function0<void> on_hide;
};

struct tooltip_hide_strategy
    : notus::handle_event<notus::impl::ev_mouse, static_cast<std::intptr_t>(notus::impl::mouse_action::down)>,
      notus::handle_key_down {
  template <class View>
  bool on_mouse(notus::impl::ev_mouse& m, View& v) {
    const tool_tip_model& model = v.model();
    const bool inside = model.left <= m.x && m.x < model.right && model.top <= m.y && m.y < model.bottom;
    if (!inside) hide(v);
    return true;
  }

  template <class View>
  bool on_key(notus::impl::ev_key& k, View& v) {
    if (k.code != notus::key_codes::tab) hide(v);
    return true;
  }

 private:
  template <class View>
  static void hide(View& v) {
    View::display_type::impl_type::hide(v.display().handle());
    // A copy, because the owner may rebind or clear its function from
    // inside it.
    const ttl::func::function0<void> on_hide = v.model().on_hide;
    if (on_hide) on_hide();
  }
};

using tool_tip_view =
    notus::view<notus::displays::virtual_window_hint<notus::traits>, std::tuple<tooltip_hide_strategy>, tool_tip_model>;

}  // namespace tooltip
