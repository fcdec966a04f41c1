// The list of choices that the list box (list_box.h) and the combo box's
// drop-down list (combo_box.h) share: the list window, its rows, its scroll
// bar, and the manager strategies that keep them in step with the list model
// (listbox_model.h).  Rows are window rectangles of the list window, one per
// row height (list_sizes), made once; they mirror the items from the model's
// top on each refresh, so no work here grows with the number of items.
//
// The manager strategies are written once over what both managers' models
// offer through one accessor, list_parts(): the rows, the list view, the bar
// view, the list's rectangle, the row height and whether a row's selection
// counts only while the list holds the mouse capture.  Return and Space are the one difference:
// the strategies hand them to the model's confirm_list_choice(), which does
// nothing in the list box and closes and commits in the combo box.
#pragma once

#include <algorithm>
#include <cstdint>
#include <list>
#include <memory>
#include <string>
#include <tuple>

#include "notus/displays/virtual_window.h"
#include "notus/displays/window_rectangle.h"
#include "notus/geometry.h"
#include "notus/key_codes.h"
#include "notus/model_update.h"
#include "notus/ownerdraw/button_strategies.h"
#include "notus/ownerdraw/faces.h"
#include "notus/ownerdraw/list_sizes.h"
#include "notus/ownerdraw/listbox_model.h"
#include "notus/ownerdraw/press_target.h"
#include "notus/ownerdraw/scroll_bar.h"
#include "notus/ownerdraw/selection.h"
#include "notus/view.h"

namespace notus::ownerdraw {

namespace list_colours {

inline constexpr COLORREF fill = 0x8CEFDE;
inline constexpr COLORREF outline = 0x634A39;
inline constexpr COLORREF selected_row = 0x4AAD9C;

}  // namespace list_colours

// The list window: fill, outline and, while focused, a focus frame.
struct listbox_paint_strategy : handle_event<impl::ev_paint> {
  template <class View>
  bool on_paint(impl::ev_paint& p, View& v) {
    auto dev = paint_device(p);
    const gdi::device_rect r = p.client;
    dev->fill_rect(r, list_colours::fill, 255);
    dev->frame_rect(r, list_colours::outline, 255);
    if (View::display_type::impl_type::has_focus(v.display().handle()))
      dev->frame_rect(inset(r, 1), colours::focus, 255);
    return true;
  }
};

// A press inside takes the capture, so that a drag over the rows keeps
// selecting and the release reaches the list wherever it happens.
struct single_listbox_mouse_capturing_strategy : handle_event<impl::ev_mouse> {
  template <class View>
  bool on_mouse(impl::ev_mouse& m, View& v) {
    using ops = typename View::display_type::impl_type;
    const auto& h = v.display().handle();
    if (m.action == impl::mouse_action::down) {
      if (!ops::has_capture(h) && press::inside(v.display(), m.x, m.y)) ops::capture(h);
    } else if (m.action == impl::mouse_action::up && ops::has_capture(h)) {
      ops::release_capture(h);
    }
    return true;
  }
};

// A row: the selection band, then its text.
struct listbox_item_paint_strategy : handle_event<impl::ev_paint> {
  template <class View>
  bool on_paint(impl::ev_paint& p, View& v) {
    auto dev = paint_device(p);
    const gdi::device_rect r = p.client;
    if (v.model().selected)
      dev->fill_rect({r.left + 1, r.top + 1, r.right - 2, r.bottom - 1}, list_colours::selected_row, 255);
    dev->draw_text(v.model().text, {r.left + 3, r.top + 3, r.right - 4, r.bottom - 3}, caption_left);
    return true;
  }
};

using listbox_view =
    notus::view<displays::virtual_window<traits>,
                std::tuple<listbox_paint_strategy, single_listbox_mouse_capturing_strategy>, listbox_model>;

using listbox_row_display = displays::window_rectangle<traits, displays::virtual_window<traits>>;

// Rows differ between the two lists only in when they report a selection.
template <class SelectionStrategy>
using listbox_row_view =
    notus::view<listbox_row_display, std::tuple<SelectionStrategy, listbox_item_paint_strategy>, radiobutton_model>;

// What list_parts() answers: references into the manager's model.
template <class RowView>
struct list_access {
  using rows_type = std::list<std::shared_ptr<RowView>>;

  std::shared_ptr<rows_type>& rows;
  std::shared_ptr<listbox_view>& list;
  std::shared_ptr<scroll_bar_view>& bar;
  // The list window and its bar together, in the parent's coordinates.
  const notus::rect<traits>& rectangle;
  // Set when the rows are made, from the text's size then.
  std::int32_t& row_height;
  bool capture_only;
};

namespace list_details {

using list_ops = displays::virtual_window<traits>::impl_type;

inline void announce(listbox_view& list) {
  listbox_model::model_update u;
  list.model().raise(u);
}

inline void announce(scroll_bar_view& bar) {
  events::model_update u;
  bar.model().raise(u);
}

inline const std::wstring& text_of(const std::shared_ptr<std::wstring>& item) {
  static const std::wstring none;
  return item ? *item : none;
}

// Moves the bar by one step, keeping it inside its range.
inline void scroll_bar_by(scroll_bar_view& bar, std::int32_t delta) {
  scrollbar_model& m = bar.model();
  m.set_position(m.clamp_position(m.position + delta));
  announce(bar);
}

// The rows show the items from top on; rows past the items are empty.
template <class Rows>
void map_rows(Rows& rows, listbox_view& list, std::int32_t row_height) {
  const listbox_model& model = list.model();
  const std::int32_t n = static_cast<std::int32_t>(model.size());
  const std::int32_t visible = list_ops::size(list.display().handle()).height / row_height;
  const std::int32_t end = std::min(model.top + visible, n);
  std::int32_t i = model.top;
  for (auto& row : rows) {
    radiobutton_model& r = row->model();
    if (i >= 0 && i < end) {
      r.text = text_of(model.items[static_cast<std::size_t>(i)]);
      r.selected = i == model.selected;
    } else {
      r.text.clear();
      r.selected = false;
    }
    ++i;
  }
}

}  // namespace list_details

// Makes the list window at the rectangle's top-left, the bar at its right,
// and as many rows as the height holds whole, all sized for the text
// (list_sizes: W - 20 wide, a 20 px bar and H / 25 rows at the 16 px line).
// A bar never takes more than half a narrow list.  The model first takes
// the rectangles from the manager's arguments.
struct list_manager_create_strategy {
  template <class Manager, class... Args>
  bool create(Manager& m, const Args&... args) {
    using ops = list_details::list_ops;
    m.take_layout(args...);
    auto parts = m.list_parts();
    const list_sizes sizes = current_list_sizes();
    parts.row_height = sizes.row;
    const notus::rect<traits>& r = parts.rectangle;
    const std::int32_t width = r.right - r.left;
    const std::int32_t height = r.bottom - r.top;
    const std::int32_t bar = std::min(sizes.bar, std::max(0, width / 2));
    parts.list = m.template create_view<listbox_view>();
    parts.bar = m.template create_view<scroll_bar_view>();
    ops::move(parts.list->display().handle(), {r.left, r.top});
    ops::resize(parts.list->display().handle(), {width - bar, height}, true);
    ops::move(parts.bar->display().handle(), {r.left + width - bar, r.top});
    ops::resize(parts.bar->display().handle(), {bar, height}, true);

    using rows_type = typename decltype(parts)::rows_type;
    using row_view = typename rows_type::value_type::element_type;
    parts.rows = std::make_shared<rows_type>();
    const std::int32_t row_height = sizes.row;
    for (std::int32_t i = 0; i < height / row_height; ++i) {
      auto row = m.template create_view<row_view>(
          notus::rect<traits>{1, row_height * i, 1 + width - bar, row_height * i + row_height}, &parts.list->display(),
          parts.list->display_ptr());
      row->model().id = i;
      parts.rows->push_back(row);
    }
    return true;
  }
};

// The refresh, on the list model's update.  When the number of items is no
// longer the bar's range, the first row is clamped so that the last page is
// full (whether the list shrank or grew), and the bar follows it; a selection
// that no longer names an item is cleared, so the owner hears of it.  A top
// the owner set is clamped the same way and moves the bar, so that the bar's
// next step starts from the rows shown.
struct list_manager_model_update_strategies : handle_event<listbox_model::model_update> {
  template <class Manager>
  bool on_update(listbox_model::model_update&, Manager& m) {
    auto parts = m.list_parts();
    listbox_view& list = *parts.list;
    listbox_model& model = list.model();
    scrollbar_model& bar = parts.bar->model();
    const std::int32_t n = static_cast<std::int32_t>(model.size());
    if (model.selected >= n) model.set_selected(-1);
    const bool range_changed = bar.max != n;
    const std::int32_t page = (parts.rectangle.bottom - parts.rectangle.top) / parts.row_height;
    if (range_changed) {
      std::int32_t last = n - page;
      if (last >= n || last <= 0) last = 0;
      model.top = std::clamp(model.top, 0, last);
    } else {
      model.top = bar.clamp_position(model.top);
    }
    list_details::map_rows(*parts.rows, list, parts.row_height);
    if (range_changed) {
      bar.set_range(0, n, page, model.top);
      list_details::announce(*parts.bar);
    } else if (bar.set_position(model.top)) {
      list_details::announce(*parts.bar);
    }
    list_details::list_ops::invalidate(list.display().handle());
    return true;
  }
};

// A row reported a selection (kind 12 {row id}).  A row past the items only
// loses its own mark; the others keep theirs.
struct list_manager_selection_changed_strategies : handle_event<impl::ev_selection> {
  template <class Manager>
  bool on_selection(impl::ev_selection& s, Manager& m) {
    using ops = list_details::list_ops;
    auto parts = m.list_parts();
    listbox_view& list = *parts.list;
    const auto& h = list.display().handle();
    if (parts.capture_only && !ops::has_capture(h)) return true;
    listbox_model& model = list.model();
    const std::int64_t index = static_cast<std::int64_t>(model.top) + s.id;
    const bool valid = index >= 0 && index < static_cast<std::int64_t>(model.size());
    for (auto& row : *parts.rows) {
      radiobutton_model& r = row->model();
      if (r.id == s.id) {
        r.selected = valid;
        ops::invalidate(h, row->display().rectangle());
      } else if (valid && r.selected) {
        r.selected = false;
        ops::invalidate(h, row->display().rectangle());
      }
    }
    if (valid) model.set_selected(static_cast<std::int32_t>(index));
    return true;
  }
};

// The bar moved (kind 11): the rows follow it.
struct list_manager_scrollbar_position_strategy : handle_event<impl::ev_scroll> {
  template <class Manager>
  bool on_scroll(impl::ev_scroll& s, Manager& m) {
    auto parts = m.list_parts();
    parts.list->model().set_top(s.position);
    list_details::announce(*parts.list);
    return true;
  }
};

// Key-downs of any of the manager's windows.  Up and Down move the selection
// by one item and scroll by one row when it leaves the visible rows; they
// never store an index below -1: with nothing selected, Up does nothing and
// Down selects the first visible item.
struct list_manager_key_strategy : handle_key_down {
  template <class Manager>
  bool on_key(impl::ev_key& k, Manager& m) {
    using ops = list_details::list_ops;
    auto parts = m.list_parts();
    const auto& h = parts.list->display().handle();
    switch (k.code) {
      case key_codes::left: ops::focus_prev_tab(h); break;
      case key_codes::right: ops::focus_next_tab(h); break;
      case key_codes::up: step_up(*parts.list, *parts.bar); break;
      case key_codes::down: step_down(*parts.list, *parts.bar); break;
      case key_codes::enter:
      case key_codes::space: m.confirm_list_choice(); break;
      default: break;
    }
    return true;
  }

 private:
  static void step_up(listbox_view& list, scroll_bar_view& bar) {
    listbox_model& model = list.model();
    const std::int32_t selected = model.selected;
    if (selected <= 0) return;
    if (model.top != 0 && selected == model.top) {
      model.set_top(model.top - 1);
      model.set_selected(selected - 1);
      list_details::scroll_bar_by(bar, -1);
    } else {
      model.set_selected(selected - 1);
    }
    list_details::announce(list);
  }

  static void step_down(listbox_view& list, scroll_bar_view& bar) {
    listbox_model& model = list.model();
    const std::int32_t n = static_cast<std::int32_t>(model.size());
    const std::int32_t selected = model.selected;
    if (selected >= n - 1) return;
    if (selected < 0) {
      if (model.top >= n) return;
      model.set_selected(model.top);
    } else if (bar.model().page > 0 && selected == model.top + bar.model().page - 1) {
      model.set_top(model.top + 1);
      model.set_selected(selected + 1);
      list_details::scroll_bar_by(bar, 1);
    } else {
      model.set_selected(selected + 1);
    }
    list_details::announce(list);
  }
};

}  // namespace notus::ownerdraw
