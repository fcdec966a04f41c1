// The check box: a box with a tick, and a caption beside it.  Every click
// (press and release inside, or a Return or Space key-down) flips its checked
// flag after the view's listeners have seen the click, so the form's handler
// reads the value from before the click.  No capture is taken on the key
// path, so each auto-repeated key-down is one more click.
//
// Two views differ only in how the arrow keys move the focus (navigation.h).
#pragma once

#include <cstdint>
#include <string>
#include <tuple>

#include "notus/displays/virtual_window.h"
#include "notus/ownerdraw/button_strategies.h"
#include "notus/ownerdraw/faces.h"
#include "notus/ownerdraw/navigation.h"
#include "notus/view.h"

namespace notus::ownerdraw {

struct checkbox_model {
  bool checked = true;
  std::uint32_t id = 0;
  std::wstring text = L"checkbox";
};

struct checkbox_strategy : handle_event<impl::ev_click, 0> {
  template <class View>
  bool on_click(impl::ev_click&, View& v) {
    v.model().checked = !v.model().checked;
    press::invalidate(v.display());
    return true;
  }
};

// Return or Space down raises a click; key-ups do nothing.
struct button_key_strategy : handle_event<impl::ev_key> {
  template <class View>
  bool on_key(impl::ev_key& k, View& v) {
    if (k.down == 1 && keys::presses(k)) raise_click(v);
    return true;
  }
};

// The square box of side H - 8 at (L + 4, T + 4) in a client rectangle.
inline gdi::device_rect checkbox_box(const gdi::device_rect& client) {
  const int top = client.top + 4;
  const int bottom = client.bottom - 4;
  return {client.left + 4, top, client.left + 4 + (bottom - top), bottom};
}

struct checkbox_paint_strategy : handle_event<impl::ev_paint> {
  template <class View>
  bool on_paint(impl::ev_paint& p, View& v) {
    using ops = typename View::display_type::impl_type;
    auto dev = paint_device(p);
    const gdi::device_rect client = p.client;
    const bool checked = v.model().checked;
    draw_cached_face(
        *dev, checked ? face_checked : face_unchecked, size_of(client), {client.left, client.top},
        [&](face_device& d, int x, int y) {
          draw_box(d, checkbox_box({x, y, x + client.right - client.left, y + client.bottom - client.top}), checked);
        });
    if (ops::has_focus(v.display().handle())) draw_focus_ring(*dev, client, 1, 5.0, 1.0);
    const gdi::device_rect box = checkbox_box(client);
    dev->draw_text(v.model().text, {box.right + 5, client.top, client.right, client.bottom}, caption_left);
    return true;
  }

  static void draw_box(face_device& d, const gdi::device_rect& box, bool checked) {
    d.fill_rect(box, colours::face, 207);
    d.frame_rect(box, 1, colours::outline, 255);
    if (!checked) return;
    const double mid_x = box.left + (box.right - box.left) / 2;
    const double mid_y = box.top + (box.bottom - box.top) / 2;
    const gdi::pointd tick[] = {{double(box.left), double(box.top)},
                                {mid_x, double(box.bottom)},
                                {double(box.right), double(box.top)},
                                {mid_x, mid_y}};
    d.fill_polygon(tick, 4, colours::mark, 200);
  }
};

template <class Navigation>
using basic_checkbox_view = notus::view<displays::virtual_window<traits>,
                                        std::tuple<checkbox_strategy, checkbox_paint_strategy,
                                                   generate_buttonClicked_strategy, button_key_strategy, Navigation>,
                                        checkbox_model>;

// Up/Down walks the group (the assistance page), or Left/Right does (the
// preferences page).
using checkbox_view = basic_checkbox_view<common_key_strategy::UpDownInGroupLeftRightInTab>;
using checkbox_row_view = basic_checkbox_view<common_key_strategy::UpDownInTabLeftRightInGroup>;

}  // namespace notus::ownerdraw
