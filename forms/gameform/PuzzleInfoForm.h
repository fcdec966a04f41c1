// The puzzle information dialog (layout form 18): a titled panel over a list
// of what the solver makes of the current grid, and an OK button that closes
// it.  ShowPuzzleInfo.h fills the list and runs the dialog; this is only the
// form and the dialog object, which follow the protocol of every modal
// dialog (notus/platform/ownerdrawWin32/virtual_window_dialog.h).
#pragma once

#include <memory>
#include <tuple>

#include "app/ResourceManager.h"
#include "forms/common/ApplyItemConfig.h"
#include "forms/common/EndLoopOnClick.h"
#include "forms/common/FormBase.h"
#include "forms/dialogs/DialogViews.h"
#include "notus/geometry.h"
#include "notus/managers/view_manager.h"
#include "notus/ownerdraw/list_box.h"
#include "notus/platform/ownerdrawWin32/app.h"
#include "notus/platform/ownerdrawWin32/virtual_window_dialog.h"
#include "notus/strategy.h"

namespace puzzleinfoform {

inline constexpr int kForm = 18;
inline constexpr int kListItem = 1;
inline constexpr int kButtonItem = 2;
inline constexpr int kTitleItem = 3;

// Members go from the last to the first: the list, the button, the title.
struct Model : FormBase {
  std::shared_ptr<dialogs::TitleView> title;                // item 3
  std::shared_ptr<dialogs::ButtonView> button;              // item 2
  std::shared_ptr<notus::ownerdraw::listbox_manager> list;  // item 1
};

// The button (focused, so Return closes at once) and the title, then the
// list over item 1's rectangle.  The list is a manager of its own, not
// connected to the form, which hears only the button.  A missing item
// throws what ResourceManager::GetItemConfig throws.
struct Create {
  template <class Manager, class Parent>
  bool create(Manager& m, Parent& parent) {
    m.button = m.template create_view<dialogs::ButtonView>();
    m.title = m.template create_view<dialogs::TitleView>();
    forms::window_ops::set_focus(m.button->display().handle());
    const ItemConfig list = ResourceManager::GetItemConfig(kForm, kListItem);
    m.list = std::make_shared<notus::ownerdraw::listbox_manager>(
        notus::rect<notus::traits>{list.left, list.top, list.right, list.bottom}, parent);
    forms::ApplyItemConfig(kForm, kTitleItem, *m.title);
    forms::ApplyItemConfig(kForm, kButtonItem, *m.button);
    return true;
  }
};

// Any click ends the dialog.
using ButtonClickedStrategy = forms::EndLoopOnClick;

using Manager = notus::managers::view_manager<Model, std::tuple<Create, ButtonClickedStrategy>>;

}  // namespace puzzleinfoform

// The command builds the form itself, after the dialog's controller has
// become current, so Show has nothing to do.
class puzzle_info_dialog : public notus::impl::virtual_window_dialog {
 public:
  puzzle_info_dialog() = default;
  // The form goes first, then the base gives the controller up.
  ~puzzle_info_dialog() = default;

  std::shared_ptr<puzzleinfoform::Manager> form;
};
