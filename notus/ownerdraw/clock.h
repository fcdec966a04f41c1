// The clock button of the game form: a toggle (toggle_button.h) over its
// `shown` flag.  Hidden, it shows one glyph in its middle; shown, another
// glyph at its left and the elapsed playing time beside it, and it asks for
// a repaint at every paint, so the paint timer keeps the seconds running.
//
// The time itself is the game's: it sets m_start, m_accumulated and m_paused
// (the button only reads them) and the tick count is GetTickCount, the game
// clock's source.  The text comes from the installed time formatter
// (installed_functions.h); without one the shown clock draws its glyph only
// and asks for no repaint, having nothing that changes.
#pragma once

#include <cstdint>
#include <string>
#include <tuple>

#include "notus/displays/virtual_window.h"
#include "notus/ownerdraw/button_strategies.h"
#include "notus/ownerdraw/faces.h"
#include "notus/ownerdraw/installed_functions.h"
#include "notus/ownerdraw/navigation.h"
#include "notus/ownerdraw/toggle_button.h"
#include "notus/view.h"
#include "winapi/windows.h"

namespace clock_view {

struct clock_model {
  std::wstring text;
  bool shown = false;
  std::int32_t id = -1;
  std::uint32_t hidden_glyph = 0;
  std::uint32_t shown_glyph = 0;
  // Whole seconds of the tick count at the last resume.
  std::uint32_t m_start = GetTickCount() / 1000;
  // Seconds counted up to the last pause.
  std::uint32_t m_accumulated = 0;
  std::uint8_t m_paused = 0;

  // In unsigned 32-bit arithmetic, as the game counts.
  std::uint32_t elapsed_seconds() const {
    if (m_paused) return m_accumulated;
    return m_accumulated + (GetTickCount() / 1000 - m_start);
  }
};

struct clock_paint_strategy : notus::handle_event<notus::impl::ev_paint> {
  template <class View>
  bool on_paint(notus::impl::ev_paint& p, View& v) {
    using ops = typename View::display_type::impl_type;
    namespace od = notus::ownerdraw;
    const auto& h = v.display().handle();
    const clock_model& model = v.model();
    auto dev = od::paint_device(p);
    const notus::gdi::device_rect client = p.client;
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    if (model.shown) {
      od::draw_glyph(*dev, model.shown_glyph, {height, height}, {client.left, client.top});
      if (od::has_time_formatter()) {
        dev->draw_text(od::format_time(model.elapsed_seconds()),
                       {client.left + height, client.top, client.right, client.bottom}, od::caption_left);
        ops::invalidate(h);
      }
    } else {
      od::draw_glyph(*dev, model.hidden_glyph, {height, height}, {client.left + (width - height) / 2, client.top});
    }
    if (ops::has_focus(h)) od::draw_focus_ring(*dev, client, 1, 5.0, 1.0);
    return true;
  }
};

using clock_button_view = notus::view<
    notus::displays::virtual_window<notus::traits>,
    std::tuple<notus::ownerdraw::toggle_button_strategy, clock_paint_strategy,
               notus::ownerdraw::toggle_button_key_strategy, notus::common_key_strategy::UpDownInTabLeftRightInGroup,
               notus::ownerdraw::generate_buttonClicked_strategy>,
    clock_model>;

}  // namespace clock_view
