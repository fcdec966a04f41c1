// The widget kinds the option pages are made of, and the few steps every
// page repeats: placing a widget by its layout item, placing a group box
// (which frames its controls but is no part of the page's input, so the
// page does not listen to it), and the selection of one radio button of a
// group.
//
// The A kinds walk their group with Up/Down (the pages' columns of buttons
// and boxes), the B kinds with Left/Right (the Preferences page's row).
#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>

#include "forms/common/ApplyItemConfig.h"
#include "notus/ownerdraw/check_box.h"
#include "notus/ownerdraw/group_box.h"
#include "notus/ownerdraw/label.h"
#include "notus/ownerdraw/push_button.h"
#include "notus/ownerdraw/radio_button.h"

namespace option_pages {

using GroupBox = notus::ownerdraw::group_box_view;
using Label = notus::ownerdraw::label_view;
using ButtonA = notus::ownerdraw::menu_push_button_view;
using ButtonB = notus::ownerdraw::push_button_view;
using CheckBoxA = notus::ownerdraw::checkbox_view;
using CheckBoxB = notus::ownerdraw::checkbox_row_view;
using Radio = notus::ownerdraw::radio_button_view;

// Makes a view connected to the page and places it as (form, item).
template <class View, class Manager>
std::shared_ptr<View> MakePlaced(Manager& m, int form, int item) {
  auto view = m.template create_view<View>();
  forms::ApplyItemConfig(form, item, *view);
  return view;
}

// A group box is made without a connection: nothing it raises concerns the
// page.  Its caption keeps above the first control it frames, item
// firstItem of the form.
inline std::shared_ptr<GroupBox> MakeGroupBox(int form, int item, int firstItem) {
  auto box = std::make_shared<GroupBox>();
  forms::ApplyItemConfig(form, item, *box);
  const ItemConfig first = ResourceManager::GetItemConfig(form, firstItem);
  box->model().caption_room = first.top - ResourceManager::GetItemConfig(form, item).top;
  return box;
}

// Marks the radio at position `index` of the group selected and the others
// not; an index outside the group (an option value the page has no radio
// for) leaves all unselected.
inline void SelectRadioAt(std::initializer_list<Radio*> group, int index) {
  int position = 0;
  for (Radio* radio : group) radio->model().selected = position++ == index;
}

// Clears every selected radio of the group and repaints it; the radio being
// chosen selects itself after the page has run its command.
inline void ClearSelectedRadios(std::initializer_list<Radio*> group) {
  for (Radio* radio : group) {
    if (!radio->model().selected) continue;
    radio->model().selected = false;
    forms::window_ops::invalidate(radio->display().handle());
  }
}

}  // namespace option_pages
