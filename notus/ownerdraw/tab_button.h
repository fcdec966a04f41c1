// The tab button: a radio button (selection.h) drawn as a page tab whose
// right corners are cut and whose left side stays open towards the page.  An
// unselected tab is a closed, darker shape behind its neighbours (z 20); the
// selected one takes the page's colour, loses its outline on the page's side
// and comes to the front (z 0), so it merges with the page.
#pragma once

#include <array>
#include <tuple>

#include "notus/displays/virtual_window.h"
#include "notus/ownerdraw/faces.h"
#include "notus/ownerdraw/navigation.h"
#include "notus/ownerdraw/selection.h"
#include "notus/view.h"

namespace notus::ownerdraw {

struct tab_right_button_paint_strategy : handle_event<impl::ev_paint> {
  using outline_points = std::array<gdi::pointd, 8>;

  template <class View>
  bool on_paint(impl::ev_paint& p, View& v) {
    using ops = typename View::display_type::impl_type;
    auto dev = paint_device(p);
    const gdi::device_rect client = p.client;
    const bool selected = v.model().selected;
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    draw_cached_face(*dev, selected ? face_tab_selected : face_tab, size_of(client), {client.left, client.top},
                     [&](face_device& d, int x, int y) {
                       draw_body(d, {x, y, x + width, y + height}, selected);
                     });
    dev->draw_text(v.model().text, inset(client, 3), caption_centred);
    if (ops::has_focus(v.display().handle())) {
      const outline_points points = outline(client);
      dev->draw_polyline(points.data(), 2.0, points.size(), colours::focus, 255);
    }
    return true;
  }

  // Top edge, cut top-right corner, right edge, cut bottom-right corner,
  // bottom edge; the left side is left open.
  static outline_points outline(const gdi::device_rect& c) {
    auto pt = [](int x, int y) { return gdi::pointd{double(x), double(y)}; };
    return {pt(c.left + 4, c.top + 2),     pt(c.right - 4, c.top + 2),    pt(c.right - 3, c.top + 3),
            pt(c.right - 2, c.top + 4),    pt(c.right - 2, c.bottom - 4), pt(c.right - 3, c.bottom - 3),
            pt(c.right - 4, c.bottom - 2), pt(c.left + 4, c.bottom - 2)};
  }

  static void draw_body(face_device& d, const gdi::device_rect& client, bool selected) {
    const gdi::device_rect body = inset(client, 2);
    if (selected) {
      d.fill_rounded_rect(body, 2.0, colours::page, 255);
      const outline_points points = outline(client);
      d.draw_polyline(points.data(), 1.0, points.size(), colours::tab_outline, 255);
    } else {
      d.fill_rounded_rect(body, 2.0, colours::tab, 255);
      d.frame_rounded_rect(body, 2.0, 1.0, colours::tab_outline, 255);
    }
  }
};

using tab_button_view =
    notus::view<displays::virtual_window<traits>,
                std::tuple<generate_tabbutton_selection_changed_strategy, tab_button_selection_changed_strategy,
                           tab_right_button_paint_strategy, tab_button_creating_strategy, tab_button_key_strategy,
                           common_key_strategy::UpDownInGroupLeftRightInTab>,
                radiobutton_model>;

}  // namespace notus::ownerdraw
