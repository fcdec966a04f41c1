// The list box: a list of strings in rows with a scroll bar at its
// right, from which the player picks one with the mouse (press, and drag with
// the left button held) or the arrow keys; the owner hears the index through
// the list model's selection callback.  It is a view manager over the list
// window, the bar and the rows (list_strategies.h, shared with the combo
// box).
//
// The owner fills the list model's items, may set its callback, selection
// and top, and announces the model's update; the rows show the items after
// that refresh.  A row's selection counts only while the list window holds
// the mouse capture, that is during a press begun on the list.
#pragma once

#include <cstdint>
#include <list>
#include <memory>
#include <tuple>

#include "notus/geometry.h"
#include "notus/managers/view_manager.h"
#include "notus/ownerdraw/list_strategies.h"

namespace notus::ownerdraw {

// A move or press with the left button over an unselected row reports it
// (kind 12 {row id}), so a drag selects row after row.
struct single_listbox_item_selection_changed_strategy : handle_event<impl::ev_mouse> {
  static constexpr impl::word left_button = 1;

  template <class View>
  bool on_mouse(impl::ev_mouse& m, View& v) {
    if (m.action != impl::mouse_action::move && m.action != impl::mouse_action::down) return true;
    if (m.button != left_button || v.model().selected || !press::inside(v.display(), m.x, m.y)) return true;
    raise_selection_changed(v);
    return true;
  }
};

using listbox_row = listbox_row_view<single_listbox_item_selection_changed_strategy>;

struct listbox_manager_base {
  std::shared_ptr<std::list<std::shared_ptr<listbox_row>>> rows;
  std::shared_ptr<listbox_view> list_view;
  std::shared_ptr<scroll_bar_view> scrollbar_view;
  // The list and its bar, in the parent display's coordinates.
  notus::rect<traits> rectangle;
  std::int32_t row_height = list_row_height;
  bool capture_only = true;

  list_access<listbox_row> list_parts() {
    return {rows, list_view, scrollbar_view, rectangle, row_height, capture_only};
  }

  // The windows lie in the one main window; the parent display is the
  // form's, which holds the manager.
  template <class Parent>
  void take_layout(const notus::rect<traits>& r, const Parent&) {
    rectangle = r;
    capture_only = true;
  }

  // Return and Space choose nothing in a list box.
  void confirm_list_choice() {}
};

using listbox_manager = managers::view_manager<
    listbox_manager_base,
    std::tuple<list_manager_model_update_strategies, list_manager_selection_changed_strategies,
               list_manager_scrollbar_position_strategy, list_manager_key_strategy, list_manager_create_strategy>>;

}  // namespace notus::ownerdraw
