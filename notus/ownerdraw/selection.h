// Selection in a group of buttons (radio buttons, tab buttons, the
// application's tabs): the strategies work on any model with a `selected`
// flag and an `id`.  A button tells the form of its selection with a
// selection-changed event (kind 12) {model id}; the form hears it first (the
// view raises every event to its listeners before its strategies run) and
// deselects the group's other buttons; then the button marks itself selected
// and comes to the front.  Only the form ever clears a selection.
//
// A mouse press and release on a button that is already selected raise
// nothing; Return or Space raise the event again every time.
#pragma once

#include <cstdint>
#include <string>

#include "notus/impl/payloads.h"
#include "notus/ownerdraw/button_strategies.h"
#include "notus/ownerdraw/press_target.h"
#include "notus/strategy.h"

namespace notus::ownerdraw {

// Also the model of the toggle button and of list rows.
struct radiobutton_model {
  std::wstring text;
  bool selected = false;
  std::int32_t id = -1;
};

// Paint orders of a tab button: unselected tabs stay behind the selected one
// (a larger z is painted earlier) and behind the page they belong to.
inline constexpr int tab_z_unselected = 20;
inline constexpr int tab_z_selected = 0;

template <class View>
void raise_selection_changed(View& v) {
  impl::ev_selection changed{};
  changed.id = static_cast<impl::word>(v.model().id);
  press::raise(v.display(), changed);
}

struct generate_tabbutton_selection_changed_strategy : handle_event<impl::ev_mouse> {
  bool armed = false;

  template <class View>
  bool on_mouse(impl::ev_mouse& m, View& v) {
    if (press::completes_press(armed, m, v.display()) && !v.model().selected) raise_selection_changed(v);
    return true;
  }
};

struct tab_button_key_strategy : handle_key_down {
  template <class View>
  bool on_key(impl::ev_key& k, View& v) {
    if (keys::presses(k)) raise_selection_changed(v);
    return true;
  }
};

struct tab_button_selection_changed_strategy : handle_event<impl::ev_selection> {
  template <class View>
  bool on_selection(impl::ev_selection&, View& v) {
    using ops = typename View::display_type::impl_type;
    v.model().selected = true;
    ops::invalidate(v.display().handle());
    ops::set_z_order(v.display().handle(), tab_z_selected);
    return true;
  }
};

// A tab button starts behind its neighbours: set up when the view is built,
// and again on a state-0 event.
struct tab_button_creating_strategy : handle_event<impl::ev_state, 0> {
  template <class View>
  void set_up(View& v) {
    send_back(v);
  }

  template <class View>
  bool on_state(impl::ev_state&, View& v) {
    send_back(v);
    return true;
  }

 private:
  template <class View>
  static void send_back(View& v) {
    View::display_type::impl_type::set_z_order(v.display().handle(), tab_z_unselected);
  }
};

}  // namespace notus::ownerdraw
