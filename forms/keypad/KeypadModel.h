#pragma once
// The two number keypads of a game and what the game does with them as the
// player moves over the grid: the value keypad (digits set the selected
// cell's value) and the candidate keypad (digits toggle its candidates), each
// S digits, "x", "s", "ok" and a frame, placed by its topology
// (KeypadTopology.h). Popup keypads open on a grid click next to the cell and
// follow the selection; panel keypads stay beside and below the grid and only
// their buttons' states follow the selected cell.
//
// The views are made by the view manager (KeypadViewManager.h), which also
// turns their clicks and keys into commands. The game calls the operations
// below from its slots (activate, deactivate, click, layout of the keypads).
//
// Laid-out cells that are no cell, each only there to force the next
// placement: kNoCell at construction, kTopologyChanged after a new topology,
// S * S + 2 after a mode switch.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

#include "forms/keypad/KeypadButtons.h"
#include "forms/keypad/KeypadTopology.h"
#include "game/grid/GridCell.h"

namespace keypad {

inline constexpr std::uint32_t kNoCell = 3333;
inline constexpr std::uint32_t kTopologyChanged = 333;

template <unsigned N, class DigitView>
struct KeypadButtonSet {
  static constexpr std::uint32_t S = N * N;

  // Declared in this order so that the topology goes first and the digits
  // last when a keypad is destroyed.
  std::array<std::shared_ptr<DigitView>, S> digits;
  std::shared_ptr<push_button_view> ok;
  std::shared_ptr<glyph_button_view> x;
  std::shared_ptr<glyph_button_view> s;
  std::shared_ptr<frame_view> frame;
  std::uint8_t visible = 1;
  std::uint32_t laidOutCell = kNoCell;
  std::uint32_t boxSize = N;
  std::uint8_t allowOnlyValidEntries = 0;  // the value keypad's only
  std::shared_ptr<KeypadTopology<N>> topology;

  bool IsPopup() const { return topology && topology->IsPopup(); }
};

template <unsigned N>
using ValueKeypad = KeypadButtonSet<N, push_button_view>;
template <unsigned N>
using CandidateKeypad = KeypadButtonSet<N, candidate_button_view>;

namespace details {

using window_ops = notus::impl::virtual_window_impl<notus::traits>;

template <class View>
const auto& handle(const std::shared_ptr<View>& v) {
  return v->display().handle();
}

// Resized without a size event, then moved. The topologies' rectangles
// include their right and bottom edge pixels in the lines' count, so the
// window is right - left wide.
template <class View>
void place(const std::shared_ptr<View>& v, const KeypadRect& r) {
  if (!v) return;
  window_ops::resize(handle(v), {std::max(0, r.right - r.left), std::max(0, r.bottom - r.top)}, false);
  window_ops::move(handle(v), {r.left, r.top});
}

template <class View>
void show(const std::shared_ptr<View>& v, bool on) {
  if (!v) return;
  if (on)
    window_ops::show(handle(v));
  else
    window_ops::hide(handle(v));
}

template <class View>
void enable(const std::shared_ptr<View>& v, bool on) {
  if (!v || window_ops::is_enabled(handle(v)) == on) return;
  if (on)
    window_ops::enable(handle(v));
  else
    window_ops::disable(handle(v));
  window_ops::invalidate(handle(v));
}

}  // namespace details

template <unsigned N>
struct keypad_model {
  static constexpr std::uint32_t S = N * N;
  using Record = grid::GridCell<N>;

  ValueKeypad<N> value;
  CandidateKeypad<N> candidate;
  std::uint8_t valueMode = 1;
  std::uint32_t currentCell = kNoCell;
  std::uint32_t lastClickedCell = kNoCell;
  const Record* currentRecord = nullptr;  // not owned; null until the first cell update
  // Gives the keyboard focus back to the grid; the game sets it. Empty, a
  // closing popup leaves the focus to the window controller.
  std::function<void()> returnFocus;

  // The grid view's layout callback: the grid's window rectangle and the
  // area the form leaves for the grid and its keypads. Each keypad is placed
  // for cell 0; one whose rectangles changed is placed again even when it
  // already sits at cell 0, or panels would keep their old places.
  void layout(KeypadRect grid, KeypadRect outer);
};

template <unsigned N, class DigitView>
void SetKeypadPopupTopology(KeypadButtonSet<N, DigitView>& pad, std::shared_ptr<KeypadTopology<N>> topology) {
  pad.topology = std::move(topology);
}

template <unsigned N>
void SetTopologyOfValueKeypad(keypad_model<N>& model, std::shared_ptr<KeypadTopology<N>> topology) {
  SetKeypadPopupTopology(model.value, std::move(topology));
  model.value.laidOutCell = kTopologyChanged;
}

template <unsigned N>
void SetTopologyOfCandidateKeypad(keypad_model<N>& model, std::shared_ptr<KeypadTopology<N>> topology) {
  SetKeypadPopupTopology(model.candidate, std::move(topology));
  model.candidate.laidOutCell = kTopologyChanged;
}

template <unsigned N, class DigitView>
void ShowKeypadPopup(KeypadButtonSet<N, DigitView>& pad) {
  if (pad.visible) return;
  pad.visible = 1;
  for (auto& d : pad.digits) details::show(d, true);
  details::show(pad.x, true);
  const KeypadTopology<N>* t = pad.topology.get();
  if (t && t->HasOkButton()) details::show(pad.ok, true);
  if (t && t->HasSwitchButton()) details::show(pad.s, true);
  if (t && t->HasFrame()) details::show(pad.frame, true);
}

// Unforced, only a visible popup hides: panels go only with a forced hide.
template <unsigned N, class DigitView>
void HideKeypadPopup(KeypadButtonSet<N, DigitView>& pad, bool force) {
  if (!force && (!pad.visible || !pad.IsPopup())) return;
  pad.visible = 0;
  for (auto& d : pad.digits) details::show(d, false);
  details::show(pad.x, false);
  details::show(pad.ok, false);
  details::show(pad.s, false);
  details::show(pad.frame, false);
}

// Places the buttons for a cell, unless they already are. A cell outside
// the grid is a programming error and throws before anything moves.
template <unsigned N, class DigitView>
void LayoutKeypadForCell(KeypadButtonSet<N, DigitView>& pad, std::uint32_t cell) {
  if (pad.laidOutCell == cell) return;
  if (cell >= N * N * N * N) throw "m_cellIndex > 256 which is illegal.";
  const KeypadTopology<N>* t = pad.topology.get();
  if (!t) return;
  for (std::uint32_t i = 0; i < pad.digits.size(); ++i)
    details::place(pad.digits[i], t->GetButtonRect(static_cast<int>(i), cell));
  details::place(pad.x, t->GetClearButtonRect(cell));
  if (t->HasOkButton()) details::place(pad.ok, t->GetOkButtonRect(cell));
  if (t->HasSwitchButton()) details::place(pad.s, t->GetSwitchButtonRect(cell));
  if (t->HasFrame()) details::place(pad.frame, t->GetArea(cell));
  pad.laidOutCell = cell;
}

// Whether the value keypad takes value index `value` for a cell: a given
// cell takes none, and with allowOnlyValidEntries only one of the cell's
// candidates. Its digit buttons show this rule and the grid's value keys obey
// it, so the option cannot be bypassed from the keyboard.
template <unsigned N>
bool ValueKeypadAccepts(const ValueKeypad<N>& pad, const grid::GridCell<N>& cell, std::uint32_t value) {
  if (cell.given || value >= N * N) return false;
  return !pad.allowOnlyValidEntries || cell.candidates.test(value);
}

template <unsigned N>
void UpdateValueKeypadButtons(ValueKeypad<N>& pad, const grid::GridCell<N>* record) {
  if (!record) return;
  for (std::uint32_t i = 0; i < pad.digits.size(); ++i) SetActive(*pad.digits[i], ValueKeypadAccepts(pad, *record, i));
  SetActive(*pad.x, !record->given && record->HasUserValue());
}

template <unsigned N>
void UpdateCandidateKeypadButtons(CandidateKeypad<N>& pad, const grid::GridCell<N>* record) {
  if (!record) return;
  const bool open = !record->given && !record->HasUserValue();
  for (std::uint32_t i = 0; i < pad.digits.size(); ++i) {
    auto& d = pad.digits[i];
    details::enable(d, open);
    d->model().selected = open && record->candidates.test(i);
    details::window_ops::invalidate(details::handle(d));
  }
  details::enable(pad.x, open);
}

template <unsigned N>
void RefreshValueKeypad(ValueKeypad<N>& pad, std::uint32_t cell, const grid::GridCell<N>* record) {
  if (pad.IsPopup()) LayoutKeypadForCell(pad, cell);
  UpdateValueKeypadButtons(pad, record);
}

template <unsigned N>
void RefreshCandidateKeypad(CandidateKeypad<N>& pad, std::uint32_t cell, const grid::GridCell<N>* record) {
  if (pad.IsPopup()) LayoutKeypadForCell(pad, cell);
  UpdateCandidateKeypadButtons(pad, record);
}

// The game's layout of the keypads: the selected cell or its content changed.
// With two popups only the active one follows the selection.
template <unsigned N>
void UpdateKeypadsForCell(keypad_model<N>& model, std::uint32_t cell, const grid::GridCell<N>* record) {
  model.currentCell = cell;
  model.currentRecord = record;
  if (model.value.IsPopup() && model.candidate.IsPopup()) {
    if (model.valueMode)
      RefreshValueKeypad(model.value, cell, record);
    else
      RefreshCandidateKeypad(model.candidate, cell, record);
    return;
  }
  RefreshCandidateKeypad(model.candidate, cell, record);
  RefreshValueKeypad(model.value, cell, record);
}

// A click on the selected cell opens the active popup there, or closes it on
// a second click, on a given cell, and (candidates) where no solution is
// known. It was placed when the cell was selected.
template <unsigned N>
void ToggleKeypadForCell(keypad_model<N>& model, const grid::GridCell<N>* record, std::uint32_t cell) {
  const bool given = record && record->given;
  if (!model.value.IsPopup() || !model.candidate.IsPopup()) {
    model.lastClickedCell = cell;
    return;
  }
  auto toggle = [&](auto& pad, bool closes) {
    if ((pad.visible && model.lastClickedCell == cell) || closes) {
      HideKeypadPopup(pad, false);
    } else {
      ShowKeypadPopup(pad);
      details::window_ops::set_focus(details::handle(pad.ok));
    }
  };
  if (model.valueMode)
    toggle(model.value, given);
  else
    toggle(model.candidate, given || (record && record->solution == grid::kUnknownSolution));
  model.lastClickedCell = cell;
}

template <unsigned N, class DigitView>
bool HoldsFocus(const KeypadButtonSet<N, DigitView>& pad) {
  auto focused = [](const auto& v) { return v && details::window_ops::has_focus(details::handle(v)); };
  for (const auto& d : pad.digits)
    if (focused(d)) return true;
  return focused(pad.x) || focused(pad.s) || focused(pad.ok);
}

// The unforced hide of one keypad of the model. A popup that closes while
// one of its buttons has the keyboard focus hands it back to the grid first:
// otherwise each hidden button passes it on along the tab order, past the
// grid to the clock, and the next digit key would enter nothing.
template <unsigned N, class DigitView>
void CloseKeypadPopup(keypad_model<N>& model, KeypadButtonSet<N, DigitView>& pad) {
  if (pad.visible && pad.IsPopup() && model.returnFocus && HoldsFocus(pad)) model.returnFocus();
  HideKeypadPopup(pad, false);
}

// Both hidden unless they are panels, the value keypad first.
template <unsigned N>
void HideKeypadPopups(keypad_model<N>& model) {
  CloseKeypadPopup(model, model.value);
  CloseKeypadPopup(model, model.candidate);
}

// The panels share the corner square for their "s": only the active mode's
// shows there.
template <unsigned N>
void ShowPanelKeypads(keypad_model<N>& model) {
  if (model.value.topology && !model.value.IsPopup()) ShowKeypadPopup(model.value);
  if (model.candidate.topology && !model.candidate.IsPopup()) ShowKeypadPopup(model.candidate);
  details::show(model.valueMode ? model.candidate.s : model.value.s, false);
}

template <unsigned N>
void keypad_model<N>::layout(KeypadRect grid, KeypadRect outer) {
  auto relayout = [&](auto& pad) {
    KeypadTopology<N>* t = pad.topology.get();
    if (!t) return;
    auto same = [](const KeypadRect& a, const KeypadRect& b) {
      return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    };
    if (!same(t->grid, grid) || !same(t->outer, outer)) pad.laidOutCell = kTopologyChanged;
    t->outer = outer;
    t->grid = grid;
    LayoutKeypadForCell(pad, 0);
  };
  relayout(value);
  relayout(candidate);
}

}  // namespace keypad
