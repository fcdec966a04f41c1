// Places a widget by the layout of a numbered form's item: a form's create
// strategy makes its views (view_manager::create_view connects each to the
// form), then hands each to ApplyItemConfig, which gives it its rectangle,
// caption, id and place in the tab order.  Every widget model keeps its
// caption in `text` and its id in `id`, so one template serves them all.
#pragma once

#include "app/ResourceManager.h"
#include "notus/platform/ownerdrawWin32/virtual_window_impl.h"

namespace forms {

using window_ops = notus::impl::virtual_window_impl<notus::traits>;

// Moves and sizes the view's window to the item's rectangle; a size event
// reaches the view before this returns.
template <class View>
void ApplyItemRect(const ItemConfig& item, View& view) {
  const auto& h = view.display().handle();
  window_ops::move(h, {item.left, item.top});
  window_ops::resize(h, {item.right - item.left, item.bottom - item.top}, true);
}

// Throws what ResourceManager::GetItemConfig throws for a missing item, and
// then the view is left as it was.  The tab index goes first: both indices
// re-sort the tab order, and the order index ranks within the tab group.
template <class View>
void ApplyItemConfig(int form, int item, View& view) {
  const ItemConfig config = ResourceManager::GetItemConfig(form, item);
  ApplyItemRect(config, view);
  auto& model = view.model();
  model.text = config.text;
  model.id = static_cast<decltype(model.id)>(item);
  const auto& h = view.display().handle();
  window_ops::set_tab_index(h, config.tabIndex);
  window_ops::set_order_index(h, config.orderIndex);
}

}  // namespace forms
