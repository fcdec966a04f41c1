// The radio button: a ring, a dot in it when selected, and the caption
// beside it.  Selection is selection.h's; the ring and the dot are cached
// as faces 6 and 7.
#pragma once

#include <tuple>

#include "notus/displays/virtual_window.h"
#include "notus/ownerdraw/faces.h"
#include "notus/ownerdraw/navigation.h"
#include "notus/ownerdraw/selection.h"
#include "notus/view.h"

namespace notus::ownerdraw {

struct radiobutton_paint_strategy : handle_event<impl::ev_paint> {
  static constexpr unsigned ellipse_steps = 20;

  template <class View>
  bool on_paint(impl::ev_paint& p, View& v) {
    using ops = typename View::display_type::impl_type;
    auto dev = paint_device(p);
    const gdi::device_rect client = p.client;
    const bool selected = v.model().selected;
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    draw_cached_face(*dev, selected ? face_radio_selected : face_radio, size_of(client), {client.left, client.top},
                     [&](face_device& d, int x, int y) {
                       draw_ring(d, circle_box({x, y, x + width, y + height}), selected);
                     });
    const gdi::device_rect box = circle_box(client);
    dev->draw_text(v.model().text, {box.right + 5, client.top, client.right, client.bottom}, caption_left);
    if (ops::has_focus(v.display().handle())) draw_focus_ring(*dev, client, 1, 5.0, 1.0);
    return true;
  }

  // The square the ring fits in: side H - 8 at (L + 4, T + 4).
  static gdi::device_rect circle_box(const gdi::device_rect& client) {
    const int top = client.top + 4;
    const int bottom = client.bottom - 4;
    return {client.left + 4, top, client.left + 4 + (bottom - top), bottom};
  }

  // All halves are whole pixels.
  static void draw_ring(face_device& d, const gdi::device_rect& box, bool selected) {
    const int w = box.right - box.left;
    const int h = box.bottom - box.top;
    d.frame_ellipse(1.0, colours::radio_ring, 255, box.left + w / 2, box.top + h / 2, w / 2, h / 2, ellipse_steps);
    if (!selected) return;
    const int k = w * 30 / 100;
    const int wi = w - 2 * k;
    const int hi = h - 2 * k;
    d.fill_ellipse(colours::mark, 200, box.left + k + wi / 2, box.top + k + hi / 2, wi / 2, hi / 2, ellipse_steps);
  }
};

using radio_button_view = notus::view<
    displays::virtual_window<traits>,
    std::tuple<generate_tabbutton_selection_changed_strategy, tab_button_selection_changed_strategy,
               radiobutton_paint_strategy, tab_button_key_strategy, common_key_strategy::UpDownInGroupLeftRightInTab>,
    radiobutton_model>;

}  // namespace notus::ownerdraw
