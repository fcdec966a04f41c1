// The model of a list of choices: the items, the first one shown and the one
// selected.  The list box (list_box.h) and the combo box's drop-down list
// (combo_box.h) show it through rows that mirror it after each refresh.
//
// Its controller announces the model's own update type (flag 1), so that the
// scroll bar's plain update, which reaches the same managers, never runs
// their refresh.  The operations check their index and announce nothing; the
// strategy that changes the model raises the update afterwards.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "ttl/function.h"

namespace notus::ownerdraw {

template <class T>
struct single_listbox_model {
  struct model_update {};

  // -1: nothing selected.
  std::int32_t selected = -1;
  // The item shown in the first row.
  std::int32_t top = 0;
  std::vector<T> items;
  // Told the new selection, whether or not it changed.
  ttl::func::function1<void, unsigned int> selection_callback;

  std::size_t size() const noexcept { return items.size(); }

  // The current top is always accepted, even in an empty list; otherwise
  // the index must name an item (a negative one never does).
  void set_top(std::int32_t index) {
    if (index == top) return;
    if (static_cast<std::uint32_t>(index) >= items.size()) throw std::range_error("Index out of range.");
    top = index;
  }

  // Every negative index passes: -1 clears the selection.
  void set_selected(std::int32_t index) {
    if (static_cast<std::int64_t>(index) >= static_cast<std::int64_t>(items.size()))
      throw std::range_error("Index out of range.");
    selected = index;
    if (selection_callback) selection_callback(static_cast<unsigned int>(index));
  }
};

using listbox_model = single_listbox_model<std::shared_ptr<std::wstring>>;

}  // namespace notus::ownerdraw
