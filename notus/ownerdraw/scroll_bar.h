// The vertical scroll bar beside the text box and the lists.  One view over a
// never-focused window, whose main strategy owns three part views drawn inside
// that window: the up arrow, the down arrow and the box.  The parts are window
// rectangles of the bar's display (window_rectangle.h), built after the bar's
// view connected to it, so every mouse event reaches the bar's strategies
// before the parts': a press on the track pages and moves the pointer out of
// the way (-3333, -3333) before the box, now perhaps under it, can arm.
//
// The owner moves the bar with scrollbar_model's set_range / set_position and
// an announcement through the bar's model controller; it learns of every
// change of position from a scroll notification (kind 11) {tag, ...,
// position} that the bar raises on its display after each announcement.  The
// bar never takes the focus: the keys that scroll belong to its owner.
#pragma once

#include <cstdint>
#include <memory>
#include <tuple>

#include "notus/displays/virtual_window.h"
#include "notus/displays/window_rectangle.h"
#include "notus/model_controller.h"
#include "notus/ownerdraw/button_strategies.h"
#include "notus/ownerdraw/faces.h"
#include "notus/ownerdraw/push_button.h"
#include "notus/ownerdraw/scrollbar_model.h"
#include "notus/view.h"

namespace notus::ownerdraw {

using scroll_bar_display = displays::virtual_window_nonfocusable<traits>;
using scroll_part_display = displays::window_rectangle<traits, scroll_bar_display>;
using scroll_rect = notus::rect<traits>;
using scroll_point = notus::point<traits>;
using scrollbar_controller = model_controller<scrollbar_model>;

// Image-cache ids of the arrows.
enum scroll_face_id : unsigned {
  face_scroll_up = 13,
  face_scroll_up_pressed = 14,
  face_scroll_down = 15,
  face_scroll_down_pressed = 16,
};

namespace colours {

inline constexpr COLORREF scroll_track = 0xC8C8C8;
// The track's focus frame; the bar never has the focus, so it is never seen.
inline constexpr COLORREF scroll_focus = 0x008080;

}  // namespace colours

inline constexpr unsigned char scroll_face_alpha = 207;
inline constexpr unsigned char scroll_box_dragged_alpha = 200;
inline constexpr unsigned char scroll_mark_alpha = 200;

// Raises the bar's model change to the bar's view and any other listener.
inline void announce(scrollbar_controller& bar) {
  events::model_update update;
  bar.raise(update);
}

// An arrow: a push button that knows the bar it steps.  It reaches only the
// bar's model controller, which is all a click needs; a pointer to the bar's
// view would make that view's type depend on itself.
struct vertical_scrollbar_buttons_model : push_button_model {
  scrollbar_controller* bar = nullptr;
};

namespace details {

// The arrow's picture, as large as its rectangle: the face inset by one
// pixel, the arrowhead, the outline.  Up points up, down points down.
inline void draw_scroll_arrow(face_device& dev, bool up, bool pressed, const gdi::device_rect& client) {
  const unsigned id = up ? (pressed ? face_scroll_up_pressed : face_scroll_up)
                         : (pressed ? face_scroll_down_pressed : face_scroll_down);
  const face_device::size_type size = size_of(client);
  draw_cached_face(dev, id, size, {client.left, client.top}, [&](face_device& d, int x, int y) {
    const gdi::device_rect r{x + 1, y + 1, x + size.width - 1, y + size.height - 1};
    d.fill_rounded_rect(r, 2.0, pressed ? colours::face_pressed : colours::face, scroll_face_alpha);
    const double mx = r.left + (r.right - r.left) / 2;
    const double my = r.top + (r.bottom - r.top) / 2;
    const double base = up ? r.bottom : r.top;
    const double tip = up ? r.top : r.bottom;
    const gdi::pointd head[] = {{double(r.left), base}, {mx, tip}, {double(r.right), base}, {mx, my}};
    d.fill_polygon(head, 4, colours::mark, scroll_mark_alpha);
    d.frame_rounded_rect(r, 2.0, 1.0, colours::outline, 255);
  });
}

template <bool Up>
struct scroll_arrow_paint_strategy : handle_event<impl::ev_paint> {
  template <class View>
  bool on_paint(impl::ev_paint& p, View& v) {
    draw_scroll_arrow(*paint_device(p), Up, v.model().pressed, p.client);
    return true;
  }
};

template <int Direction>
struct scroll_step_clicked_strategy : handle_event<impl::ev_click, 0> {
  template <class View>
  bool on_click(impl::ev_click&, View& v) {
    scrollbar_controller* bar = v.model().bar;
    if (bar == nullptr) return true;
    if (bar->set_position(bar->clamp_position(bar->position + Direction * bar->step))) announce(*bar);
    return true;
  }
};

}  // namespace details

struct scroll_up_button_paint_strategy : details::scroll_arrow_paint_strategy<true> {};
struct scroll_down_button_paint_strategy : details::scroll_arrow_paint_strategy<false> {};
struct scroll_decrement_button_clicked_strategy : details::scroll_step_clicked_strategy<-1> {};
struct scroll_increment_button_clicked_strategy : details::scroll_step_clicked_strategy<1> {};

// The box is drawn darker while it is dragged, that is while it holds the
// capture.  It is not cached: its height changes with the range.
struct vertical_scroll_box_button_paint_strategy : handle_event<impl::ev_paint> {
  template <class View>
  bool on_paint(impl::ev_paint& p, View& v) {
    auto dev = paint_device(p);
    const gdi::device_rect r = inset(p.client, 1);
    if (v.display().has_capture())
      dev->fill_rounded_rect(r, 2.0, colours::face_pressed, scroll_box_dragged_alpha);
    else
      dev->fill_rounded_rect(r, 2.0, colours::face, scroll_face_alpha);
    const int third = (r.right - r.left) / 3;
    const double y = r.top + (r.bottom - r.top) / 2;
    const gdi::pointd grip[] = {{double(r.left + third), y}, {double(r.right - third), y}};
    dev->draw_polyline(grip, 2.0, 2, colours::mark, scroll_mark_alpha);
    dev->frame_rounded_rect(r, 2.0, 1.0, colours::outline, 255);
    return true;
  }
};

using scroll_up_button_view =
    notus::view<scroll_part_display,
                std::tuple<generate_buttonClicked_strategy, push_button_mouse_strategy, scroll_up_button_paint_strategy,
                           scroll_decrement_button_clicked_strategy>,
                vertical_scrollbar_buttons_model>;
using scroll_down_button_view =
    notus::view<scroll_part_display,
                std::tuple<generate_buttonClicked_strategy, push_button_mouse_strategy,
                           scroll_down_button_paint_strategy, scroll_increment_button_clicked_strategy>,
                vertical_scrollbar_buttons_model>;
using scroll_box_button_view = notus::view<
    scroll_part_display,
    std::tuple<generate_buttonClicked_strategy, push_button_mouse_strategy, vertical_scroll_box_button_paint_strategy>,
    push_button_model>;

// The geometry of a bar, as virtual operations so that another bar could
// lay itself out differently; the parts and the track it keeps.  All
// rectangles are in the bar's client coordinates.
template <class UpView, class DownView, class BoxView>
class scrollbar_main_strategies {
 public:
  scrollbar_main_strategies() = default;
  scrollbar_main_strategies(const scrollbar_main_strategies&) = delete;
  scrollbar_main_strategies& operator=(const scrollbar_main_strategies&) = delete;
  virtual ~scrollbar_main_strategies() = default;

  virtual scroll_rect get_box_rect(const scrollbar_model& m) const = 0;
  // The position after a press on the track at p.
  virtual std::int32_t page_to(const scrollbar_model& m, scroll_point p) const = 0;
  // The position while the box is dragged with the pointer at p.
  virtual std::int32_t position_from_drag(const scrollbar_model& m, scroll_point p) const = 0;
  // Where the box's top-left goes while it is dragged with the pointer at p.
  virtual scroll_point box_origin_from_drag(scroll_point p) const = 0;
  virtual void start_drag(scroll_point p) = 0;
  virtual void set_track_rect(const scroll_rect& client) = 0;
  virtual scroll_rect get_down_button_rect(const scroll_rect& client) const = 0;
  virtual scroll_rect get_up_button_rect(const scroll_rect& client) const = 0;

  // Empty until the parts are created.
  std::shared_ptr<UpView> up;
  std::shared_ptr<DownView> down;
  std::shared_ptr<BoxView> box;
  // Between the arrows.
  scroll_rect track_rect{};
  // Pointer y minus the box's top when the drag began.
  std::int32_t grab_offset = 0;
};

class vertical_scrollbar_main_strategies
    : public scrollbar_main_strategies<scroll_up_button_view, scroll_down_button_view, scroll_box_button_view>,
      public handle_event<impl::ev_mouse>,
      public handle_event<impl::ev_size>,
      public handle_event<impl::ev_state, 0>,
      public handle_event<events::model_update> {
 public:
  // The pointer of a track press that paged, kept away from the parts.
  static constexpr impl::word moved_away = -3333;

  scroll_rect get_box_rect(const scrollbar_model& m) const override;
  std::int32_t page_to(const scrollbar_model& m, scroll_point p) const override;
  std::int32_t position_from_drag(const scrollbar_model& m, scroll_point p) const override;
  scroll_point box_origin_from_drag(scroll_point p) const override;
  void start_drag(scroll_point p) override;
  void set_track_rect(const scroll_rect& client) override;
  scroll_rect get_down_button_rect(const scroll_rect& client) const override;
  scroll_rect get_up_button_rect(const scroll_rect& client) const override;

  // Run by the view once it is wired: the parts connect to the bar's
  // display after the bar's view.
  template <class View>
  void set_up(View& bar) {
    create_parts(bar);
  }

  // The up arrow, the down arrow, then the box, laid out for the bar's
  // current size and model.
  template <class View>
  void create_parts(View& bar) {
    scroll_bar_display* display = &bar.display();
    up = std::make_shared<scroll_up_button_view>(scroll_rect{}, display, bar.display_ptr());
    down = std::make_shared<scroll_down_button_view>(scroll_rect{}, display, bar.display_ptr());
    box = std::make_shared<scroll_box_button_view>(scroll_rect{}, display, bar.display_ptr());
    up->model().bar = &bar.model();
    down->model().bar = &bar.model();
    lay_out(bar);
  }

  template <class View>
  bool on_size(impl::ev_size&, View& bar) {
    lay_out(bar);
    return true;
  }

  // Only constructors make state 0; the parts then exist already and are
  // made anew.
  template <class View>
  bool on_state(impl::ev_state&, View& bar) {
    create_parts(bar);
    return true;
  }

  template <class View>
  bool on_update(events::model_update&, View& bar) {
    set_track_rect(client_of(bar));
    box->display().rectangle() = get_box_rect(bar.model());
    impl::ev_scroll scrolled{};
    scrolled.tag = bar.model().tag;
    scrolled.position = bar.model().position;
    press::raise(bar.display(), scrolled);
    ops<View>::invalidate(bar.display().handle());
    return true;
  }

  template <class View>
  bool on_mouse(impl::ev_mouse& m, View& bar) {
    scrollbar_controller& model = bar.model();
    scroll_part_display& box_display = box->display();
    const scroll_point p{m.x, m.y};
    if (m.action == impl::mouse_action::down) {
      if (contains(box_display.rectangle(), p)) {
        start_drag(p);
      } else if (contains(track_rect, p) && model.set_position(page_to(model, p))) {
        m.x = moved_away;
        m.y = moved_away;
        announce(model);
      }
      return true;
    }
    if (!box_display.has_capture()) return true;
    if (m.action == impl::mouse_action::move) {
      const bool changed = model.set_position(position_from_drag(model, p));
      if (changed) announce(model);
      scroll_rect& r = box_display.rectangle();
      const scroll_point origin = box_origin_from_drag(p);
      r = {origin.x, origin.y, origin.x + (r.right - r.left), origin.y + (r.bottom - r.top)};
      if (!changed) ops<View>::invalidate(bar.display().handle());
    } else if (m.action == impl::mouse_action::up) {
      model.set_position(position_from_drag(model, p));
      announce(model);
    }
    return true;
  }

 private:
  template <class View>
  using ops = typename View::display_type::impl_type;

  static bool contains(const scroll_rect& r, scroll_point p) {
    return r.left <= p.x && p.x < r.right && r.top <= p.y && p.y < r.bottom;
  }

  template <class View>
  static scroll_rect client_of(View& bar) {
    const auto s = ops<View>::size(bar.display().handle());
    return {0, 0, s.width, s.height};
  }

  // The order matters: the track lies between the arrows' new rectangles.
  template <class View>
  void lay_out(View& bar) {
    const scroll_rect client = client_of(bar);
    down->display().rectangle() = get_down_button_rect(client);
    up->display().rectangle() = get_up_button_rect(client);
    set_track_rect(client);
    box->display().rectangle() = get_box_rect(bar.model());
  }
};

// The track, under the parts.
struct scroll_bar_paint_strategy : handle_event<impl::ev_paint> {
  template <class View>
  bool on_paint(impl::ev_paint& p, View& v) {
    auto dev = paint_device(p);
    dev->fill_rect(p.client, colours::scroll_track, 255);
    if (View::display_type::impl_type::has_focus(v.display().handle()))
      dev->frame_rounded_rect(inset(p.client, 2), 5.0, 1.0, colours::scroll_focus, 255);
    return true;
  }
};

using scroll_bar_view =
    notus::view<scroll_bar_display, std::tuple<vertical_scrollbar_main_strategies, scroll_bar_paint_strategy>,
                scrollbar_model>;

}  // namespace notus::ownerdraw
