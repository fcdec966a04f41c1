// The progress form (layout form 19): a titled panel with a line of text, a
// running count and a Cancel button, shown over the game while a new puzzle
// is generated.  It runs no message loop of its own: GenerateGrid_Command
// lets one message through at each report of the generator, which is when
// the count is repainted and a click on Cancel arrives.
//
// Cancel only sets the form's flag; the command hands it to the generator at
// its next report.  It does not end a message loop as the dialogs' buttons
// do: there is none to end here, and a quit posted on the way would close
// the program at its next loop.
#pragma once

#include <memory>
#include <tuple>

#include "forms/common/ApplyItemConfig.h"
#include "forms/common/FormBase.h"
#include "notus/managers/view_manager.h"
#include "notus/ownerdraw/box_label.h"
#include "notus/ownerdraw/label.h"
#include "notus/ownerdraw/push_button.h"

namespace ProgresForm {

inline constexpr int kForm = 19;
inline constexpr int kCancelItem = 1;
inline constexpr int kTitleItem = 2;
inline constexpr int kLabelItem = 3;
inline constexpr int kCountItem = 4;

// Declared so that the count goes first and the panel last.
struct Model : FormBase {
  std::shared_ptr<notus::ownerdraw::box_label_view> title;     // item 2
  std::shared_ptr<notus::ownerdraw::push_button_view> button;  // item 1
  std::shared_ptr<notus::ownerdraw::label_view> label;         // item 3
  std::shared_ptr<notus::ownerdraw::label_view> count;         // item 4
  bool cancel = false;
};

// Makes the views, places them by the layout of form 19 and gives the button
// the focus: Return or Space cancels at once.  The panel is made before the
// two labels, so they are painted over it; the button lies in front of all
// three whatever its place.  A missing item throws what
// ResourceManager::GetItemConfig throws.
struct Create {
  template <class Manager, class Parent>
  bool create(Manager& m, Parent&) {
    m.button = m.template create_view<notus::ownerdraw::push_button_view>();
    m.title = m.template create_view<notus::ownerdraw::box_label_view>();
    m.label = m.template create_view<notus::ownerdraw::label_view>();
    m.count = m.template create_view<notus::ownerdraw::label_view>();
    forms::ApplyItemConfig(kForm, kTitleItem, *m.title);
    forms::ApplyItemConfig(kForm, kCancelItem, *m.button);
    forms::ApplyItemConfig(kForm, kLabelItem, *m.label);
    forms::ApplyItemConfig(kForm, kCountItem, *m.count);
    forms::window_ops::set_focus(m.button->display().handle());
    return true;
  }
};

struct ButtonClickedStrategy : notus::handle_event<notus::impl::ev_click, 0> {
  template <class Manager>
  bool on_click(notus::impl::ev_click&, Manager& m) {
    m.cancel = true;
    return true;
  }
};

using Manager = notus::managers::view_manager<Model, std::tuple<Create, ButtonClickedStrategy>>;

}  // namespace ProgresForm
