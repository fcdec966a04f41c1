#pragma once
// The board on the game form: one owner-drawn, focusable virtual window per
// box size that shows a GridModel<N> and turns the mouse and keys on it into
// game commands. Painting and sizing are the painter's (GridPainter.h); this
// unit adds the input strategies, the model-update strategy and the view
// type. The game creates the view and keeps it; the form only places its
// window.
//
// Mouse: a press selects the cell under the pointer, found proportionally
// (x * S / width), clamped into the grid; any release clicks the selected
// cell; moves do nothing (no drag selection). Keys, on key-down only:
// Return and Space click, Delete removes the value, the arrows move the
// selection or, at the grid's edge, the focus to the neighbouring tab group;
// a character that names a value enters it, except on a given cell.

#include <algorithm>
#include <cstdint>
#include <memory>
#include <tuple>

#include "forms/grid/GridPainter.h"
#include "game/commands/Base.h"
#include "game/commands/CellCommands.h"
#include "game/commands/ExecuteCommand.h"
#include "game/commands/GridCommands.h"
#include "game/grid/GridModel.h"
#include "notus/displays/virtual_window.h"
#include "notus/impl/payloads.h"
#include "notus/key_codes.h"
#include "notus/model_update.h"
#include "notus/strategy.h"
#include "notus/traits.h"
#include "notus/view.h"

namespace grid {

// Runs a new command through the executor.
void RunGridCommand(gamecommands::Base* command);

template <unsigned N>
struct mouse_strategy : notus::handle_event<notus::impl::ev_mouse> {
  static constexpr int S = static_cast<int>(N * N);

  template <class View>
  bool on_mouse(notus::impl::ev_mouse& m, View& v) {
    using ops = typename View::display_type::impl_type;
    const auto size = ops::size(v.display().handle());
    // A window that never had a size has no cells to hit.
    if (size.width <= 0 || size.height <= 0) return true;
    if (m.action == notus::impl::mouse_action::down) {
      const int column = std::clamp(m.x * S / size.width, 0, S - 1);
      const int row = std::clamp(m.y * S / size.height, 0, S - 1);
      RunGridCommand(new gamecommands::SetSelected(static_cast<std::uint32_t>(column + row * S)));
    } else if (m.action == notus::impl::mouse_action::up) {
      RunGridCommand(new gamecommands::GridCellClick());
    }
    return true;
  }
};

template <unsigned N>
struct key_strategy : notus::handle_key_down {
  static constexpr int S = static_cast<int>(N * N);

  template <class View>
  bool on_key(notus::impl::ev_key& k, View& v) {
    using ops = typename View::display_type::impl_type;
    const auto& h = v.display().handle();
    const GridModel<N>& model = v.model();
    const int selected = static_cast<int>(std::min<std::uint32_t>(model.selected, S * S - 1));
    int column = selected % S;
    int row = selected / S;
    switch (k.code) {
      case notus::key_codes::enter:
      case notus::key_codes::space: RunGridCommand(new gamecommands::GridCellClick()); break;
      case notus::key_codes::del: RunGridCommand(new gamecommands::RemoveFixedValue()); break;
      case notus::key_codes::left:
        if (column == 0)
          ops::focus_prev_tab(h);
        else
          --column;
        break;
      case notus::key_codes::right:
        if (column == S - 1)
          ops::focus_next_tab(h);
        else
          ++column;
        break;
      case notus::key_codes::up:
        if (row == 0)
          ops::focus_prev_tab(h);
        else
          --row;
        break;
      case notus::key_codes::down:
        if (row == S - 1)
          ops::focus_next_tab(h);
        else
          ++row;
        break;
      default: break;
    }
    const int moved = column + row * S;
    if (moved != static_cast<int>(model.selected))
      RunGridCommand(new gamecommands::SetSelected(static_cast<std::uint32_t>(moved)));

    const std::uint32_t value =
        gamecommands::KeyToValueIndex(static_cast<std::uint32_t>(k.key), model.gridSymbols == 0);
    // A given cell takes no value and no candidate from the keys.
    if (value < static_cast<std::uint32_t>(S) && model.selected < static_cast<std::uint32_t>(S * S) &&
        model.cells[model.selected].given == 0)
      RunGridCommand(new gamecommands::SetUserOrCandidateValue(value));
    return true;
  }
};

// A model change only marks the window dirty; the next paint tick redraws it.
struct model_update : notus::handle_event<notus::events::model_update> {
  template <class View>
  bool on_update(notus::events::model_update&, View& v) {
    using ops = typename View::display_type::impl_type;
    ops::invalidate(v.display().handle());
    return true;
  }
};

template <unsigned N>
using grid_view =
    notus::view<notus::displays::virtual_window<notus::traits>,
                std::tuple<grid_main_strategy<N>, mouse_strategy<N>, key_strategy<N>, model_update>, GridModel<N>>;

}  // namespace grid
