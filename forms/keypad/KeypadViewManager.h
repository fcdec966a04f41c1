#pragma once
// The view manager of a game's two number keypads (KeypadModel.h): it makes
// the buttons, hears every click and key of them before the buttons act, and
// turns them into game commands or keypad moves.
//
// Ids: value digit i is 100 + i, then "x" 100 + S, "s" 101 + S, "ok" 102 + S;
// the candidate keypad's are the same from 200. Every command is made for
// the selected cell (kSelectedCell), which the command reads when it runs.
//
// A candidate digit's click reaches the manager before the toggle flips
// itself, so the set flag is the opposite of its checked state now; the
// keypads are therefore not refreshed on that path, or the flip that follows
// would invert what they show.

#include <cstdint>
#include <memory>
#include <string>
#include <tuple>
#include <type_traits>

#include "forms/keypad/KeypadModel.h"
#include "game/GameBase.h"
#include "game/commands/CellCommands.h"
#include "game/commands/ExecuteCommand.h"
#include "game/commands/Services.h"
#include "game/grid/GridSymbols.h"
#include "notus/key_codes.h"
#include "notus/managers/view_manager.h"

namespace keypad {

namespace glyphs {
inline constexpr std::uint32_t value_switch = 121;
inline constexpr std::uint32_t candidate_switch = 122;
inline constexpr std::uint32_t candidate_clear = 123;
inline constexpr std::uint32_t candidate_clear_inactive = 125;
inline constexpr std::uint32_t value_clear = 126;
inline constexpr std::uint32_t value_clear_inactive = 128;
}  // namespace glyphs

inline constexpr std::uint32_t kValueIdBase = 100;
inline constexpr std::uint32_t kCandidateIdBase = 200;

namespace details {

inline constexpr int kButtonZ = -4;
inline constexpr int kFrameZ = -3;

template <class View>
void set_window(const std::shared_ptr<View>& v, int tab, int order) {
  window_ops::set_z_order(handle(v), kButtonZ);
  window_ops::set_tab_index(handle(v), tab);
  window_ops::set_order_index(handle(v), order);
}

}  // namespace details

namespace strategy {

struct Create {
  template <class Manager, class... Parent>
  void create(Manager& m, Parent&...) {
    Build(m, m.value, kValueIdBase, 2, glyphs::value_clear, glyphs::value_clear_inactive, glyphs::value_switch);
    Build(m, m.candidate, kCandidateIdBase, 3, glyphs::candidate_clear, glyphs::candidate_clear_inactive,
          glyphs::candidate_switch);
  }

 private:
  template <class Manager, class Pad>
  static void Build(Manager& m, Pad& pad, std::uint32_t idBase, int tab, std::uint32_t clear,
                    std::uint32_t clearInactive, std::uint32_t switchGlyph) {
    using DigitView = typename decltype(pad.digits)::value_type::element_type;
    const std::uint32_t S = Pad::S;
    for (std::uint32_t i = 0; i < S; ++i) {
      auto d = m.template create_view<DigitView>();
      d->model().text = std::wstring(1, static_cast<wchar_t>(grid::ValueToSymbol(i)));
      d->model().id = static_cast<decltype(d->model().id)>(idBase + i);
      details::set_window(d, tab, static_cast<int>(i));
      pad.digits[i] = std::move(d);
    }
    pad.x = GlyphButton(m, idBase + S, L"x", clear, clearInactive, tab, static_cast<int>(S));
    pad.s = GlyphButton(m, idBase + S + 1, L"s", switchGlyph, 0, tab, static_cast<int>(S + 1));
    pad.ok = m.template create_view<push_button_view>();
    pad.ok->model().text = L"ok";
    pad.ok->model().id = idBase + S + 2;
    details::set_window(pad.ok, tab, static_cast<int>(S + 2));
    pad.frame = m.template create_view<frame_view>();
    details::window_ops::set_z_order(details::handle(pad.frame), details::kFrameZ);
  }

  template <class Manager>
  static std::shared_ptr<glyph_button_view> GlyphButton(Manager& m, std::uint32_t id, const wchar_t* text,
                                                        std::uint32_t glyph, std::uint32_t inactive, int tab,
                                                        int order) {
    auto b = m.template create_view<glyph_button_view>();
    b->model().text = text;
    b->model().id = id;
    b->model().glyph_active = glyph;
    b->model().glyph_pressed = glyph;
    b->model().glyph_inactive = inactive;
    details::set_window(b, tab, order);
    return b;
  }
};

}  // namespace strategy

// The "s" buttons: the other keypad opens at the current cell and takes the
// focus on its own "s". Before the game has laid the keypads out for a cell
// there is no record, and nothing is placed or updated.
template <unsigned N, class To, class From>
void SwitchKeypadMode(keypad_model<N>& model, To& to, From& from, std::uint8_t valueMode) {
  model.valueMode = valueMode;
  to.laidOutCell = N * N * N * N + 2;
  ShowKeypadPopup(to);
  if (model.currentRecord) {
    if (to.IsPopup()) LayoutKeypadForCell(to, model.currentCell);
    if constexpr (std::is_same_v<To, ValueKeypad<N>>)
      UpdateValueKeypadButtons(to, model.currentRecord);
    else
      UpdateCandidateKeypadButtons(to, model.currentRecord);
  }
  details::show(to.s, true);
  details::window_ops::set_focus(details::handle(to.s));
  HideKeypadPopup(from, false);
  details::show(from.s, false);
}

template <unsigned N>
void SwitchToCandidateMode(keypad_model<N>& model) {
  SwitchKeypadMode(model, model.candidate, model.value, 0);
}

template <unsigned N>
void SwitchToValueMode(keypad_model<N>& model) {
  SwitchKeypadMode(model, model.value, model.candidate, 1);
}

namespace strategy {

struct ButtonClickedStrategy : notus::handle_event<notus::impl::ev_click, 0> {
  template <class Manager>
  bool on_click(notus::impl::ev_click& c, Manager& m) {
    using gamecommands::ExecuteCommand;
    using gamecommands::kSelectedCell;
    constexpr std::uint32_t S = Manager::S;
    const std::uint32_t id = static_cast<std::uint32_t>(c.id);
    if (id >= kValueIdBase && id < kValueIdBase + S) {
      ExecuteCommand(std::make_shared<gamecommands::SetFixedValue>(kSelectedCell, id - kValueIdBase));
      HideKeypadPopups(m);
    } else if (id == kValueIdBase + S) {
      ExecuteCommand(std::make_shared<gamecommands::RemoveFixedValue>(kSelectedCell));
      HideKeypadPopups(m);
    } else if (id == kValueIdBase + S + 1) {
      SwitchToCandidateMode(m);
    } else if (id == kValueIdBase + S + 2 || id == kCandidateIdBase + S + 2) {
      HideKeypadPopups(m);
    } else if (id >= kCandidateIdBase && id < kCandidateIdBase + S) {
      const std::uint32_t k = id - kCandidateIdBase;
      const bool checked = m.candidate.digits[k]->model().selected;
      ExecuteCommand(std::make_shared<gamecommands::SetCanditateValue>(kSelectedCell, k, !checked));
    } else if (id == kCandidateIdBase + S) {
      ExecuteCommand(std::make_shared<gamecommands::ClearAllCandidates>(kSelectedCell));
      // The toggles show the cleared set only once the keypads are laid
      // out again; no toggle flips on this path.
      if (const std::shared_ptr<GameBase> game = gamecommands::Services::CurrentGame()) game->LayoutKeypads();
    } else if (id == kCandidateIdBase + S + 1) {
      SwitchToValueMode(m);
    }
    return true;
  }
};

// Keys of a focused keypad button. The arrows follow the value keypad's
// topology in both modes: inside the keypad's tab group for popups (Up and
// Down by a row where the digits stand in rows), out to the neighbouring
// group for panels.
template <unsigned N>
struct key_strattegy : notus::handle_key_down {
  template <class Manager>
  bool on_key(notus::impl::ev_key& k, Manager& m) {
    using namespace notus::key_codes;
    using ops = details::window_ops;
    const KeypadTopology<N>* t = m.value.topology.get();
    if (!t || !m.value.s) return true;
    const auto& h = details::handle(m.value.s);
    auto sideways = [&](bool forward) {
      if (t->ArrowsStayInKeypad())
        forward ? ops::focus_next_in_group(h) : ops::focus_prev_in_group(h);
      else
        forward ? ops::focus_next_tab(h) : ops::focus_prev_tab(h);
    };
    auto by_row = [&](bool forward) {
      if (!t->HasButtonRows()) return sideways(forward);
      for (unsigned i = 0; i < N; ++i) forward ? ops::focus_next_in_group(h) : ops::focus_prev_in_group(h);
    };
    switch (k.code) {
      case escape:
        if (m.valueMode)
          CloseKeypadPopup(m, m.value);
        else
          CloseKeypadPopup(m, m.candidate);
        break;
      case left: sideways(false); break;
      case right: sideways(true); break;
      case up: by_row(false); break;
      case down: by_row(true); break;
      default: break;
    }
    return true;
  }
};

}  // namespace strategy

template <unsigned N>
using KeypadViewManager = notus::managers::view_manager<
    keypad_model<N>, std::tuple<strategy::Create, strategy::ButtonClickedStrategy, strategy::key_strattegy<N>>>;

}  // namespace keypad
