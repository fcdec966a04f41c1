// The text box: read-only, word-wrapped, scrollable text (the help and about
// texts, the techniques of a level).  A view manager over two views: the text
// view, which paints the wrapped lines of its textbox_model from first_line
// on, and a scroll bar (scroll_bar.h) on its right, as wide as a list's
// (list_sizes.h).
//
// A form stores the text in the text view's model and announces the model's
// change; it may split the text first, but need not.  On each announcement
// the manager wraps afresh when the text is not the one it last wrapped (or
// the lines were emptied by a split), shows the new lines from the first and
// puts the bar back to the top; otherwise it only repaints.  The bar and the
// Up/Down keys scroll by moving first_line and the bar's position together.
//
// The text model announces its own update type, so the bar's plain update,
// which reaches the manager too, never runs the refresh.
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <tuple>

#include "notus/displays/virtual_window.h"
#include "notus/key_codes.h"
#include "notus/managers/view_manager.h"
#include "notus/ownerdraw/faces.h"
#include "notus/ownerdraw/list_sizes.h"
#include "notus/ownerdraw/scroll_bar.h"
#include "notus/ownerdraw/text_wrapper.h"
#include "notus/view.h"

namespace notus::ownerdraw {

namespace colours {

inline constexpr COLORREF text_box = 0x8CEFDE;

}  // namespace colours

struct textbox_model : text_algorithms::text_wrapper {
  struct model_update {};

  // The first line shown.
  std::uint32_t first_line = 0;
  // The whole text.
  std::wstring text;

  // Throws std::range_error "Index out of range." for an index that is not a
  // line, unless it is first_line already.  Announces nothing.
  void set_first_line(std::uint32_t index) {
    if (index == first_line) return;
    if (lines.empty() || index >= lines.size()) throw std::range_error("Index out of range.");
    first_line = index;
  }

  // Throws std::out_of_range for an index that is not a line.
  std::wstring string_at(std::size_t index) const { return lines.at(index); }
};

inline void announce(model_controller<textbox_model>& text) {
  textbox_model::model_update update;
  text.raise(update);
}

// The height of a line: the font's, whatever the text, plus a margin.
inline int text_line_height(const face_device& dev) { return dev.text_extent(std::wstring()).height + 4; }

struct textbox_paint_strategy : handle_event<impl::ev_paint> {
  template <class View>
  bool on_paint(impl::ev_paint& p, View& v) {
    auto dev = paint_device(p);
    const textbox_model& m = v.model();
    const int line_height = std::max(1, text_line_height(*dev));
    const gdi::device_rect r = p.client;
    dev->fill_rect(r, colours::text_box, 255);
    dev->frame_rect({r.left, r.top, r.right - 1, r.bottom}, 1, colours::tab_outline, 255);
    const std::size_t visible = static_cast<std::size_t>(std::max(0, (r.bottom - r.top) / line_height));
    const std::size_t last = std::min<std::size_t>(m.first_line + visible, m.lines.size());
    gdi::device_rect line{r.left + 2, r.top, r.right - 1, r.top + line_height};
    for (std::size_t i = m.first_line; i < last; ++i) {
      // A word wider than the box stands whole on its own line, in the
      // text's size, for the player to scroll past.
      dev->draw_text(m.lines[i], line, caption_left, face_device::overflow::cut);
      line.top += line_height;
      line.bottom += line_height;
    }
    if (View::display_type::impl_type::has_focus(v.display().handle()))
      dev->frame_rect(inset(r, 1), 1, colours::focus, 255);
    return true;
  }
};

using textbox_view = notus::view<displays::virtual_window<traits>, std::tuple<textbox_paint_strategy>, textbox_model>;

struct textbox_manager_base {
  std::shared_ptr<textbox_view> text_view;
  std::shared_ptr<scroll_bar_view> bar_view;
  // In the parent's client coordinates.
  notus::rect<traits> rectangle{};

  // The bar's width at the layouts' own text.
  static constexpr int bar_width = list_bar_width;

  // The bar, then the text view beside it; both get their size event.  A
  // bar never takes more than half a narrow box.
  template <class Manager>
  void create_views(Manager& manager) {
    using ops = impl::virtual_window_impl<traits>;
    bar_view = manager.template create_view<scroll_bar_view>();
    text_view = manager.template create_view<textbox_view>();
    const int width = rectangle.right - rectangle.left;
    const int bar = std::min(current_list_sizes().bar, std::max(0, width / 2));
    const int text_width = width - bar;
    const int height = rectangle.bottom - rectangle.top;
    ops::move(text_view->display().handle(), {rectangle.left, rectangle.top});
    ops::resize(text_view->display().handle(), {text_width, height}, true);
    ops::move(bar_view->display().handle(), {rectangle.left + text_width, rectangle.top});
    ops::resize(bar_view->display().handle(), {bar, height}, true);
  }
};

// Layout, refresh and scrolling from the bar.
struct simpletextbox_manager_strategies : handle_event<textbox_model::model_update>, handle_event<impl::ev_scroll> {
  // How many lines the text view shows, from the last refresh.
  std::int32_t visible_lines = 0;
  // The text the lines were made from.
  std::wstring wrapped_text;

  // The parent is the form's display; the views are windows of their own.
  template <class Manager, class Parent, class Rect>
  void create(Manager& m, Parent&, const Rect& r) {
    m.rectangle = {r.left, r.top, r.right, r.bottom};
    m.create_views(m);
  }

  template <class Manager>
  bool on_update(textbox_model::model_update&, Manager& m) {
    using ops = impl::virtual_window_impl<traits>;
    auto& text = m.text_view->model();
    auto& bar = m.bar_view->model();
    const auto& handle = m.text_view->display().handle();
    const auto size = ops::size(handle);
    const auto screen = face_device::create_for_screen();
    visible_lines = size.height / std::max(1, text_line_height(*screen));
    text.max_width = static_cast<std::uint32_t>(std::max(0, size.width - 2));
    // A new text, or lines emptied by a split: the text is shown from its
    // first line, and the bar at the top, whatever it showed before.
    const bool fresh = text.text != wrapped_text || text.lines.empty();
    if (fresh) {
      if (text.text != wrapped_text || text.atoms.empty()) text.split(text.text);
      text.wrap([&screen](const std::wstring& s, SIZE& out) {
        const auto extent = screen->text_extent(s);
        out.cx = extent.width;
        out.cy = extent.height;
      });
      wrapped_text = text.text;
      text.first_line = 0;
    }
    const auto n = static_cast<std::int32_t>(text.lines.size());
    if (fresh || bar.max != n) {
      bar.set_range(0, n, std::min(n, visible_lines), 0);
      text.first_line = 0;
      announce(bar);
    }
    ops::invalidate(handle);
    return true;
  }

  // The bar moved: the text follows.  An unchanged line needs no repaint,
  // which also ends the echo of the bar's own announcements.
  template <class Manager>
  bool on_scroll(impl::ev_scroll& s, Manager& m) {
    auto& text = m.text_view->model();
    if (s.position < 0 || static_cast<std::uint32_t>(s.position) == text.first_line) return true;
    text.set_first_line(static_cast<std::uint32_t>(s.position));
    announce(text);
    return true;
  }
};

// Acts on no event that reaches it.
struct textbox_manager_button_clicked_strategy {};
// Acts on no event that reaches it.
struct textbox_manager_initialising_strategy {};

// Left and Right leave the box; Up and Down scroll one line while there is
// more to see that way.
struct textbox_manager_key_strategy : handle_key_down {
  template <class Manager>
  bool on_key(impl::ev_key& k, Manager& m) {
    using ops = impl::virtual_window_impl<traits>;
    auto& text = m.text_view->model();
    auto& bar = m.bar_view->model();
    switch (k.code) {
      case key_codes::left: ops::focus_prev_tab(m.text_view->display().handle()); break;
      case key_codes::right: ops::focus_next_tab(m.text_view->display().handle()); break;
      case key_codes::up:
        if (text.first_line > 0) scroll(text, bar, -1);
        break;
      case key_codes::down:
        if (std::int64_t{text.first_line} + bar.page < static_cast<std::int64_t>(text.lines.size()))
          scroll(text, bar, 1);
        break;
      default: break;
    }
    return true;
  }

 private:
  static void scroll(model_controller<textbox_model>& text, scrollbar_controller& bar, int by) {
    text.set_first_line(static_cast<std::uint32_t>(static_cast<std::int64_t>(text.first_line) + by));
    bar.set_position(bar.clamp_position(bar.position + by));
    announce(bar);
    announce(text);
  }
};

using textbox_manager =
    notus::managers::view_manager<textbox_manager_base,
                                  std::tuple<simpletextbox_manager_strategies, textbox_manager_button_clicked_strategy,
                                             textbox_manager_initialising_strategy, textbox_manager_key_strategy>>;

}  // namespace notus::ownerdraw
