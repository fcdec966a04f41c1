// Keyboard focus navigation: the arrow keys mapped onto the window
// controller's four focus moves.  Forms put their focusable windows in groups
// (the tab index) and order them inside a group (the order index); every
// focusable widget carries one of these strategies after its own key
// strategy, and the choice says whether Up/Down or Left/Right walks inside a
// group.  Tab itself is the controller's.
//
// The controller picks the target (another group first for a group move, the
// same group first for an in-group move, wrapping once, the other kind as
// fallback) and refuses every move while a window holds the mouse capture, so
// a button held down by Space keeps the focus.
#pragma once

#include "notus/impl/payloads.h"
#include "notus/key_codes.h"
#include "notus/strategy.h"

namespace notus::common_key_strategy {

namespace details {

// Whether the horizontal arrows walk inside the group (the vertical ones
// then move between groups) or the other way round.
template <bool LeftRightInGroup>
struct arrow_navigation : handle_key_down {
  template <class View>
  bool on_key(impl::ev_key& k, View& v) {
    using ops = typename View::display_type::impl_type;
    const auto& h = v.display().handle();
    const bool horizontal = k.code == key_codes::left || k.code == key_codes::right;
    const bool vertical = k.code == key_codes::up || k.code == key_codes::down;
    if (!horizontal && !vertical) return true;
    const bool forward = k.code == key_codes::right || k.code == key_codes::down;
    if (horizontal == LeftRightInGroup)
      forward ? ops::focus_next_in_group(h) : ops::focus_prev_in_group(h);
    else
      forward ? ops::focus_next_tab(h) : ops::focus_prev_tab(h);
    return true;
  }
};

}  // namespace details

struct UpDownInTabLeftRightInGroup : details::arrow_navigation<true> {};
struct UpDownInGroupLeftRightInTab : details::arrow_navigation<false> {};

}  // namespace notus::common_key_strategy
