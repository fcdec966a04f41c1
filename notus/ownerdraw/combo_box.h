// The combo box: the chosen string in a label with a drop-down button at its
// right end.  A click on either (or Return or Space released on the label)
// opens a list of all choices in the list rectangle the owner gives, built
// from the list box's model, list window, rows and manager strategies
// (list_strategies.h).  Choosing a row closes the list and commits the
// choice: the label shows it and the owner's callback hears its index.
//
// The open list is made modal by a fake window, an invisible, never-focused
// 50000 px square in front of everything but the list: a press anywhere else
// lands on it and closes the list without a change.  Closing travels as a
// deferred event (kind 13) whose first word says whether to commit (0) or
// not (1).
//
// A close without commit puts the list's selection back to the committed
// item, so a row that was only hovered can never be committed later.  A
// list that closes while it has the focus hands it back to the label.
#pragma once

#include <array>
#include <cstdint>
#include <list>
#include <memory>
#include <string>
#include <tuple>

#include "notus/displays/virtual_window.h"
#include "notus/geometry.h"
#include "notus/key_codes.h"
#include "notus/managers/view_manager.h"
#include "notus/ownerdraw/button_strategies.h"
#include "notus/ownerdraw/cached_face.h"
#include "notus/ownerdraw/faces.h"
#include "notus/ownerdraw/label.h"
#include "notus/ownerdraw/list_strategies.h"
#include "notus/ownerdraw/push_button.h"
#include "notus/platform/ownerdrawWin32/winobj_virtual_window.h"
#include "ttl/function.h"

namespace notus::ownerdraw {

// Image-cache ids of the drop-down button's faces.
enum dropdown_face_id : unsigned {
  face_dropdown_pressed = 17,
  face_dropdown = 18,
  face_dropdown_disabled = 19,
};

namespace combo_colours {

inline constexpr COLORREF label_focused = 0x6E9992;
inline constexpr COLORREF label = 0x8CEFDE;
inline constexpr COLORREF dropdown_pressed = 0x91DBB2;
inline constexpr COLORREF dropdown = 0xB2FCD3;

}  // namespace combo_colours

namespace combo_radii {

// Top-left, top-right, bottom-right, bottom-left; x and y radius each.
inline constexpr face_device::radii_type left{5, 5, 0, 0, 0, 0, 5, 5};
inline constexpr face_device::radii_type right{0, 0, 5, 5, 5, 5, 0, 0};

}  // namespace combo_radii

// The button: its face from the cache (17 pressed, 18 normal) with the
// downward triangle, then its text; disabled, the text under the grey face
// 19.  The faces are as large as the window, like every cached face.
struct dropdown_button_paint_strategy : handle_event<impl::ev_paint> {
  template <class View>
  bool on_paint(impl::ev_paint& p, View& v) {
    using ops = typename View::display_type::impl_type;
    auto dev = paint_device(p);
    const gdi::device_rect client = p.client;
    const gdi::device_rect r = inset(client, 1);
    const face_device::size_type size = size_of(client);
    const std::wstring& text = v.model().text;
    if (ops::is_enabled(v.display().handle())) {
      const bool pressed = v.model().pressed;
      draw_cached_face(*dev, pressed ? face_dropdown_pressed : face_dropdown, size, {client.left, client.top},
                       [&](face_device& d, int x, int y) {
                         const gdi::device_rect face{x + 1, y + 1, x + size.width - 1, y + size.height - 1};
                         d.fill_rounded_rect_radii(face, combo_radii::right,
                                                   pressed ? combo_colours::dropdown_pressed : combo_colours::dropdown,
                                                   255);
                         draw_triangle(d, face, size.width / 4);
                       });
      dev->draw_text(text, r, caption_centred);
    } else {
      dev->draw_text(text, r, caption_centred);
      draw_cached_face(*dev, face_dropdown_disabled, size, {client.left, client.top},
                       [&](face_device& d, int x, int y) {
                         d.fill_rounded_rect({x + 1, y + 1, x + size.width - 1, y + size.height - 1}, 5.0,
                                             colours::face_disabled, 240);
                       });
    }
    dev->frame_rounded_rect_radii(r, combo_radii::right, 1.0, colours::outline, 255);
    return true;
  }

  static void draw_triangle(face_device& d, const gdi::device_rect& r, int q) {
    const int x1 = r.left + q;
    const int x2 = r.right - q;
    const gdi::pointd corners[3] = {{double(x1), double(r.top + q)},
                                    {double(x1 + (x2 - x1) / 2), double(r.bottom - q)},
                                    {double(x2), double(r.top + q)}};
    d.fill_polygon(corners, 3, colours::mark, 200);
  }
};

namespace cobmbobox {

using window_ops = displays::virtual_window<traits>::impl_type;

inline bool shown(const displays::virtual_window<traits>& w) {
  const auto* object = w.handle().get();
  return object != nullptr && object->visible();
}

template <class D>
void raise_close(D& d, bool commit) {
  press::raise(d, impl::ev_deferred{commit ? 0 : 1, 0});
}

// A row of the open list follows the pointer, with or without a button, and
// a release anywhere (the list holds the capture from the press on) closes
// and commits.  Only the first row to see the release raises it: the list is
// hidden by then, so the owner hears one commit per release.
struct single_listbox_item_selection_changed : handle_event<impl::ev_mouse> {
  template <class View>
  bool on_mouse(impl::ev_mouse& m, View& v) {
    auto& d = v.display();
    if (m.action == impl::mouse_action::up) {
      if (shown(d.parent())) raise_close(d, true);
    } else if ((m.action == impl::mouse_action::move || m.action == impl::mouse_action::down) && !v.model().selected &&
               press::inside(d, m.x, m.y)) {
      raise_selection_changed(v);
    }
    return true;
  }
};

// The label: rounded on the left, darker while focused.
struct label_paint_strategy : handle_event<impl::ev_paint> {
  template <class View>
  bool on_paint(impl::ev_paint& p, View& v) {
    using ops = typename View::display_type::impl_type;
    auto dev = paint_device(p);
    const gdi::device_rect r = inset(gdi::device_rect(p.client), 1);
    if (ops::has_focus(v.display().handle()))
      dev->fill_rounded_rect_radii(r, combo_radii::left, combo_colours::label_focused, 255);
    else
      dev->fill_rounded_rect_radii(r, combo_radii::left, combo_colours::label, 240);
    dev->frame_rounded_rect_radii(r, combo_radii::left, 1.0, colours::outline, 255);
    dev->draw_text(v.model().text, inset(r, 2), caption_left);
    return true;
  }
};

// Keys of the closed combo box (the manager has seen them first).  Up and Down
// commit the item the manager just moved to.  Return or Space open the list
// on their release, but only after the label had their press: the press
// that closes an open list reaches the list, and its release, reaching the
// label that then has the focus, must not open the list again.
struct lable_key_strategy : handle_event<impl::ev_key>, handle_event<impl::ev_state, 4> {
  // The code of the Return or Space press the label had; 0 for none.
  impl::word armed = 0;

  template <class View>
  bool on_key(impl::ev_key& k, View& v) {
    if (k.down == 1) {
      if (k.code == key_codes::up || k.code == key_codes::down)
        raise_close(v.display(), true);
      else if (keys::presses(k))
        armed = k.code;
    } else if (keys::presses(k)) {
      const bool opens = armed == k.code;
      armed = 0;
      if (opens) press::raise(v.display(), impl::ev_click{0, 0});
    }
    return true;
  }

  template <class View>
  bool on_state(impl::ev_state&, View&) {
    armed = 0;
    return true;
  }
};

// A press anywhere outside the open list closes it without a change.
struct fake_window_mouse_strategy : handle_event<impl::ev_mouse> {
  template <class View>
  bool on_mouse(impl::ev_mouse& m, View& v) {
    if (m.action == impl::mouse_action::down) raise_close(v.display(), false);
    return true;
  }
};

using combo_row = listbox_row_view<single_listbox_item_selection_changed>;
using combo_label =
    notus::view<displays::virtual_window<traits>,
                std::tuple<label_paint_strategy, lable_key_strategy, generate_buttonClicked_strategy>, label_model>;
using dropdown_button =
    notus::view<displays::virtual_window_nonfocusable<traits>,
                std::tuple<push_button_mouse_strategy, generate_buttonClicked_strategy, dropdown_button_paint_strategy>,
                push_button_model>;
using fake_window =
    notus::view<displays::virtual_window_nonfocusable<traits>, std::tuple<fake_window_mouse_strategy>, std::wstring>;

struct model {
  bool capture_only = false;
  std::shared_ptr<std::list<std::shared_ptr<combo_row>>> rows;
  std::shared_ptr<listbox_view> list_view;
  std::shared_ptr<scroll_bar_view> scrollbar_view;
  std::shared_ptr<combo_label> label_view;
  std::shared_ptr<dropdown_button> button_view;
  std::shared_ptr<fake_window> fake_window_view;
  // The label and the button, in the parent display's coordinates.
  notus::rect<traits> closed_rectangle;
  // The drop-down list and its bar.
  notus::rect<traits> list_rectangle;
  std::int32_t row_height = list_row_height;
  // The committed item; -1 before the first.
  std::int32_t selected = -1;
  ttl::func::function1<void, unsigned int> selection_callback;
  // Cleared first when the list closes, so that the focus loss the closing
  // itself causes does not close it again.
  bool open = false;

  list_access<combo_row> list_parts() {
    return {rows, list_view, scrollbar_view, list_rectangle, row_height, capture_only};
  }

  template <class Parent>
  void take_layout(const notus::rect<traits>& closed, const notus::rect<traits>& list, const Parent&) {
    closed_rectangle = closed;
    list_rectangle = list;
    capture_only = false;
  }

  // Return and Space close the list and commit its selection.
  void confirm_list_choice() { close(true); }

  // Commits an item: the label shows it and the owner hears of it.  An index
  // outside the items does nothing.
  void select_item(std::int32_t index) {
    listbox_model& list = list_view->model();
    if (index < 0 || static_cast<std::size_t>(index) >= list.size()) return;
    selected = index;
    label_view->model().text = list_details::text_of(list.items[static_cast<std::size_t>(index)]);
    list.set_selected(index);
    window_ops::invalidate(label_view->display().handle());
    if (selection_callback) selection_callback(static_cast<unsigned int>(index));
  }

  void open_list() {
    window_ops::enable(fake_window_view->display().handle());
    window_ops::show(list_view->display().handle());
    window_ops::show(scrollbar_view->display().handle());
    open = true;
    window_ops::set_focus(list_view->display().handle());
  }

  // Hides the list (when open) and commits the list's selection, or puts it
  // back to the committed item.  A commit while closed commits again: the
  // label's Up and Down work that way.
  void close(bool commit) {
    listbox_model& list = list_view->model();
    const std::int32_t chosen = list.selected;
    if (open) {
      open = false;
      const auto& h = list_view->display().handle();
      if (window_ops::has_focus(h)) {
        // The controller refuses a focus move while anything holds the
        // capture, and hiding alone would pass the focus down the tab order.
        window_ops::release_capture(h);
        window_ops::set_focus(label_view->display().handle());
      }
      window_ops::hide(h);
      window_ops::hide(scrollbar_view->display().handle());
      window_ops::disable(fake_window_view->display().handle());
      if (!commit) {
        list.set_selected(static_cast<std::size_t>(selected) < list.size() ? selected : -1);
        list_details::announce(*list_view);
      }
    }
    if (commit) select_item(chosen);
  }
};

// Lays out the button, the label and the fake window over the closed
// rectangle (L, T, R, B), H = B - T: the label and the button overlap by
// 2 px.  The list and its bar, already made, go in front and hidden.
struct create_strategy {
  template <class Manager, class Parent>
  bool create(Manager& m, const notus::rect<traits>& closed, const notus::rect<traits>&, const Parent&) {
    const std::int32_t h = closed.bottom - closed.top;
    m.button_view = m.template create_view<dropdown_button>();
    place(m.button_view->display(), closed.right - h - 2, closed.top, h + 2, h);
    m.label_view = m.template create_view<combo_label>();
    place(m.label_view->display(), closed.left, closed.top, closed.right - h - closed.left, h);
    m.fake_window_view = m.template create_view<fake_window>();
    const auto& fake = m.fake_window_view->display().handle();
    place(m.fake_window_view->display(), -25000, -25000, 50000, 50000);
    window_ops::set_z_order(fake, -200);
    window_ops::disable(fake);
    for (const auto* d : {&m.list_view->display().handle(), &m.scrollbar_view->display().handle()}) {
      window_ops::set_z_order(*d, -201);
      window_ops::hide(*d);
    }
    return true;
  }

  template <class Display>
  static void place(Display& d, std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
    window_ops::move(d.handle(), {x, y});
    window_ops::resize(d.handle(), {width, height}, true);
  }
};
using create = create_strategy;

// Any click of the manager's windows (the label's or the button's) opens.
struct clicked : handle_event<impl::ev_click> {
  template <class Manager>
  bool on_click(impl::ev_click&, Manager& m) {
    m.open_list();
    return true;
  }
};

// Closes the list: without commit when a window of the combo box loses the
// focus and the list does not have it (Tab, Left, Right, a click elsewhere),
// and as a deferred event says.
struct hiding_list : handle_event<impl::ev_state, 4>, handle_event<impl::ev_deferred> {
  template <class Manager>
  bool on_state(impl::ev_state&, Manager& m) {
    if (m.open && !window_ops::has_focus(m.list_view->display().handle())) m.close(false);
    return true;
  }

  template <class Manager>
  bool on_deferred(impl::ev_deferred& d, Manager& m) {
    m.close(d.first == 0);
    return true;
  }
};

using manager =
    managers::view_manager<model,
                           std::tuple<list_manager_create_strategy, create, clicked, hiding_list,
                                      list_manager_model_update_strategies, list_manager_selection_changed_strategies,
                                      list_manager_scrollbar_position_strategy, list_manager_key_strategy>>;

}  // namespace cobmbobox

}  // namespace notus::ownerdraw
