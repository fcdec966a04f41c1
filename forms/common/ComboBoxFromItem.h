// A combo box placed by a layout item.  The item's rectangle holds the combo
// box open: its top 20 px are the closed part (the chosen text and the
// drop-down button) and the rest is the list that drops below it, so a
// layout gives every combo box room for its rows (25 px each) under the
// closed band.  The build-puzzle, select-puzzle, statistics and option pages
// and the language dialog all make theirs here.
//
// MakeComboBox fills the list and announces it; it commits nothing and sets
// no callback, because each form commits its stored choice first and hooks
// its callback after, so that building the form runs no command.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/ResourceManager.h"
#include "forms/common/ApplyItemConfig.h"
#include "notus/geometry.h"
#include "notus/ownerdraw/combo_box.h"

namespace forms {

using combo_box = notus::ownerdraw::cobmbobox::manager;

inline constexpr int kComboClosedHeight = 20;

struct ComboRectangles {
  notus::rect<notus::traits> closed;
  notus::rect<notus::traits> list;
};

// An item shorter than the closed band gets an empty list below it.
inline ComboRectangles ComboRectanglesOf(const ItemConfig& item) {
  const int split = item.top + kComboClosedHeight < item.bottom ? item.top + kComboClosedHeight : item.bottom;
  return {{item.left, item.top, item.right, split}, {item.left, split, item.right, item.bottom}};
}

// Throws what ResourceManager::GetItemConfig throws for a missing item.
template <class Parent>
std::shared_ptr<combo_box> MakeComboBox(int form, int item, Parent& parent, const std::vector<std::wstring>& entries) {
  const ComboRectangles r = ComboRectanglesOf(ResourceManager::GetItemConfig(form, item));
  auto combo = std::make_shared<combo_box>(r.closed, r.list, parent);
  auto& items = combo->list_view->model().items;
  for (const std::wstring& entry : entries) items.push_back(std::make_shared<std::wstring>(entry));
  notus::ownerdraw::list_details::announce(*combo->list_view);
  return combo;
}

// The combo box takes the focus by its label, so the label takes the item's
// place in the tab order.
inline void SetComboTabIndex(combo_box& combo, int form, int item) {
  window_ops::set_tab_index(combo.label_view->display().handle(), ResourceManager::GetItemConfig(form, item).tabIndex);
}

}  // namespace forms
