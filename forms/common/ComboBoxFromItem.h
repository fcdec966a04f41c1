// A combo box placed by a layout item.  The item's rectangle holds the combo
// box open: the closed part (the chosen text and the drop-down button) at
// its top, as high as the text asks (list_sizes.h: 20 px at the layouts'
// own text), and below it the list, so a layout gives every combo box room
// for its rows under the closed part.  The build-puzzle, select-puzzle,
// statistics and option pages and the language dialog all make theirs here.
//
// Text keeps a readable size on a small screen, larger in proportion than
// the layout around it, so the item may hold fewer rows than entries there.
// The list then reaches below the item until every entry has its row (it
// lies in front of everything while it is open), and opens above the
// closed part instead where the screen ends first and there is room above;
// a list that fits neither way takes the larger side and scrolls.
//
// MakeComboBox fills the list and announces it; it commits nothing and sets
// no callback, because each form commits its stored choice first and hooks
// its callback after, so that building the form runs no command.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/ResourceManager.h"
#include "forms/common/ApplyItemConfig.h"
#include "notus/geometry.h"
#include "notus/ownerdraw/combo_box.h"
#include "notus/ownerdraw/list_sizes.h"
#include "notus/platform/ownerdrawWin32/app.h"

namespace forms {

using combo_box = notus::ownerdraw::cobmbobox::manager;

// The closed part's height at the layouts' own text.
inline constexpr int kComboClosedHeight = notus::ownerdraw::list_closed_height;

struct ComboRectangles {
  notus::rect<notus::traits> closed;
  notus::rect<notus::traits> list;
};

// screenHeight: the height a list that reaches past the item keeps within;
// 0 or less for none.
inline ComboRectangles ComboRectanglesOf(const ItemConfig& item, std::size_t entries,
                                         const notus::ownerdraw::list_sizes& sizes, int screenHeight) {
  const int split = item.top + sizes.closed;
  const int room = std::max(0, item.bottom - split);
  const std::int64_t rows = std::int64_t{sizes.row} * static_cast<std::int64_t>(entries);
  const int wanted = static_cast<int>(std::clamp<std::int64_t>(rows, room, INT32_MAX / 2));
  int top = split;
  int bottom = split + wanted;
  if (wanted > room && screenHeight > 0 && bottom > screenHeight) {
    const int above = item.top;
    const int below = std::max(room, screenHeight - split);
    if (wanted <= above) {
      top = item.top - wanted;
      bottom = item.top;
    } else if (below >= above) {
      bottom = split + below;
    } else {
      top = 0;
      bottom = item.top;
    }
  }
  return {{item.left, item.top, item.right, split}, {item.left, top, item.right, bottom}};
}

// The main window's client height: the screen the forms are laid out on.
inline int ComboScreenHeight() {
  RECT client{0, 0, 0, 0};
  const HWND main = notus::impl::details::app::instance().main_window();
  if (main == nullptr || !GetClientRect(main, &client)) return 0;
  return client.bottom - client.top;
}

// Throws what ResourceManager::GetItemConfig throws for a missing item.
template <class Parent>
std::shared_ptr<combo_box> MakeComboBox(int form, int item, Parent& parent, const std::vector<std::wstring>& entries) {
  const ComboRectangles r = ComboRectanglesOf(ResourceManager::GetItemConfig(form, item), entries.size(),
                                              notus::ownerdraw::current_list_sizes(), ComboScreenHeight());
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
