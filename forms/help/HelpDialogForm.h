// The form of the help dialog (HelpDialog.h): layout form 22, a caption
// label over a word-wrapped, scrollable text box, and one OK button that has
// the focus from the start, so Return or Space closes the dialog at once.
//
// The dialog fills in the texts after the form is built; the form knows
// nothing of where they come from.
#pragma once

#include <memory>
#include <tuple>

#include "app/ResourceManager.h"
#include "forms/common/ApplyItemConfig.h"
#include "forms/common/EndLoopOnClick.h"
#include "forms/common/FormBase.h"
#include "notus/managers/view_manager.h"
#include "notus/ownerdraw/label.h"
#include "notus/ownerdraw/push_button.h"
#include "notus/ownerdraw/text_box.h"
#include "notus/platform/ownerdrawWin32/app.h"
#include "notus/strategy.h"

namespace HelpDialogForm {

inline constexpr int kForm = 22;
inline constexpr int kOkItem = 1;
inline constexpr int kTextItem = 2;
inline constexpr int kCaptionItem = 3;

// Members are released from the last to the first: OK, text box, caption.
struct Model : FormBase {
  std::shared_ptr<notus::ownerdraw::label_view> caption;
  std::shared_ptr<notus::ownerdraw::textbox_manager> text;
  std::shared_ptr<notus::ownerdraw::push_button_view> ok;
};

// Caption, then OK (focused), then the text box over item 2's rectangle.
// The text box is a manager of its own, not connected to this form: the
// form hears only the OK button.  A missing item throws before anything is
// shown.
struct Create {
  template <class Manager, class Parent>
  bool create(Manager& m, Parent& parent) {
    m.caption = m.template create_view<notus::ownerdraw::label_view>();
    forms::ApplyItemConfig(kForm, kCaptionItem, *m.caption);
    m.ok = m.template create_view<notus::ownerdraw::push_button_view>();
    forms::ApplyItemConfig(kForm, kOkItem, *m.ok);
    forms::window_ops::set_focus(m.ok->display().handle());
    const ItemConfig box = ResourceManager::GetItemConfig(kForm, kTextItem);
    m.text =
        std::make_shared<notus::ownerdraw::textbox_manager>(parent, RECT{box.left, box.top, box.right, box.bottom});
    return true;
  }
};

// Any click ends the dialog.
using ButtonClickedStrategy = forms::EndLoopOnClick;

using Form = notus::managers::view_manager<Model, std::tuple<Create, ButtonClickedStrategy>>;

}  // namespace HelpDialogForm
