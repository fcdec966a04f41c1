// The OK dialog (form 25): a titled panel, a message and a single button.
// A message longer than its place grows the panel (DialogViews.h).  It tells the player something and waits until they
// have read it: the solved-puzzle report and the grid check use it.  The title and the message are the caller's; form
// 25's own texts are only the button's caption.  The button, Return or Space on it (it has the focus), and the window's
// close box all end it alike; there is no answer to read.
#pragma once

#include <memory>
#include <string>
#include <tuple>

#include "forms/common/ApplyItemConfig.h"
#include "forms/common/EndLoopOnClick.h"
#include "forms/common/FormBase.h"
#include "forms/dialogs/DialogViews.h"
#include "notus/managers/view_manager.h"
#include "notus/platform/ownerdrawWin32/app.h"
#include "notus/platform/ownerdrawWin32/virtual_window_dialog.h"

namespace OkForm {

inline constexpr int kForm = 25;
inline constexpr int kTitleItem = 1;
inline constexpr int kButtonItem = 2;
inline constexpr int kMessageItem = 3;

struct Model : FormBase {
  std::shared_ptr<dialogs::TitleView> title;      // item 1
  std::shared_ptr<dialogs::ButtonView> button;    // item 2
  std::shared_ptr<dialogs::MessageView> message;  // item 3
};

// Makes the views, places them by the layout of form 25 and focuses the
// button.  A missing item throws what ResourceManager::GetItemConfig throws.
struct Create {
  template <class Manager, class Parent>
  bool create(Manager& m, Parent&) {
    m.button = m.template create_view<dialogs::ButtonView>();
    m.title = m.template create_view<dialogs::TitleView>();
    m.message = m.template create_view<dialogs::MessageView>();
    forms::ApplyItemConfig(kForm, kTitleItem, *m.title);
    forms::ApplyItemConfig(kForm, kButtonItem, *m.button);
    forms::ApplyItemConfig(kForm, kMessageItem, *m.message);
    forms::window_ops::set_focus(m.button->display().handle());
    return true;
  }
};

// Any click ends the dialog.
using ButtonClickedStrategy = forms::EndLoopOnClick;

using Manager = notus::managers::view_manager<Model, std::tuple<Create, ButtonClickedStrategy>>;

}  // namespace OkForm

class ok_dialog : public notus::impl::virtual_window_dialog {
 public:
  ok_dialog() = default;
  // The form goes first, then the texts, then the base's controller.
  ~ok_dialog() = default;

  // Builds form 25 over the main frame with the title and message set
  // before; it does not wait.
  void Show() override;

  // Null until Show.
  OkForm::Manager* form() const noexcept { return m_form.get(); }

  std::wstring title;
  std::wstring message;

 private:
  std::shared_ptr<OkForm::Manager> m_form;
};

// Shows an OK dialog with these texts and returns once the player has
// closed it.
void ShowOkDialog(const std::wstring& title, const std::wstring& message);
