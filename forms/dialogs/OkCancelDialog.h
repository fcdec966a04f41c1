// The generic yes/no dialog (form 15): a titled panel with a message, an
// accepting and a cancelling button.  A command that needs the player's
// consent makes an ok_cancel_dialog as a local object, shows it, runs the
// nested message loop and reads `accepted` from its form before the dialog
// goes out of scope (virtual_window_dialog.h describes the protocol).
//
// The texts of form 15 in the resource file ask about deleting a player; a
// caller that asks something else gives its own title and message.  Only the
// accepting button (item 2) accepts: the cancelling button, the window's
// close box (which ends the innermost loop) and anything else that ends the
// loop leave the answer false.  The focus starts on the accepting button, so
// Return at once accepts; no key is bound to cancelling.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <tuple>

#include "forms/common/ApplyItemConfig.h"
#include "forms/common/FormBase.h"
#include "forms/dialogs/DialogViews.h"
#include "notus/managers/view_manager.h"
#include "notus/platform/ownerdrawWin32/app.h"
#include "notus/platform/ownerdrawWin32/virtual_window_dialog.h"

namespace OkCancelForm {

inline constexpr int kForm = 15;
inline constexpr int kTitleItem = 1;
inline constexpr int kAcceptItem = 2;
inline constexpr int kCancelItem = 3;
inline constexpr int kMessageItem = 4;

// The views go in reverse: the message first, the title last.
struct Model : FormBase {
  std::shared_ptr<dialogs::TitleView> title;      // item 1
  std::shared_ptr<dialogs::ButtonView> accept;    // item 2
  std::shared_ptr<dialogs::ButtonView> cancel;    // item 3
  std::shared_ptr<dialogs::MessageView> message;  // item 4
  bool accepted = false;
};

// Makes the views, places all four by the layout of form 15 and gives the
// focus to the accepting button.  A missing item throws what
// ResourceManager::GetItemConfig throws; the dialog then never loops.
struct Create {
  template <class Manager, class Parent>
  bool create(Manager& m, Parent&) {
    m.accept = m.template create_view<dialogs::ButtonView>();
    m.cancel = m.template create_view<dialogs::ButtonView>();
    m.title = m.template create_view<dialogs::TitleView>();
    m.message = m.template create_view<dialogs::MessageView>();
    forms::ApplyItemConfig(kForm, kTitleItem, *m.title);
    forms::ApplyItemConfig(kForm, kAcceptItem, *m.accept);
    forms::ApplyItemConfig(kForm, kCancelItem, *m.cancel);
    forms::ApplyItemConfig(kForm, kMessageItem, *m.message);
    forms::window_ops::set_focus(m.accept->display().handle());
    return true;
  }
};

// Either button ends the dialog's loop; only the accepting one accepts.
struct ButtonClickedStrategy : notus::handle_event<notus::impl::ev_click, 0> {
  template <class Manager>
  bool on_click(notus::impl::ev_click& c, Manager& m) {
    if (c.id == kAcceptItem) m.accepted = true;
    notus::impl::details::app::quit();
    return true;
  }
};

using Manager = notus::managers::view_manager<Model, std::tuple<Create, ButtonClickedStrategy>>;

}  // namespace OkCancelForm

class ok_cancel_dialog : public notus::impl::virtual_window_dialog {
 public:
  // Without a title or message the form's own texts stay.
  explicit ok_cancel_dialog(std::optional<std::wstring> title = std::nullopt,
                            std::optional<std::wstring> message = std::nullopt);
  // The form goes first (its windows leave the form beneath to be repainted
  // where they were), then the base gives the controller up.
  ~ok_cancel_dialog() = default;

  // Builds form 15 over the main frame; it does not wait.
  void Show() override;

  // Null until Show.
  OkCancelForm::Manager* form() const noexcept { return m_form.get(); }
  bool accepted() const noexcept { return m_form && m_form->accepted; }

 private:
  std::optional<std::wstring> m_title;
  std::optional<std::wstring> m_message;
  std::shared_ptr<OkCancelForm::Manager> m_form;
};

// Shows the dialog, runs its loop and answers whether the player accepted.
bool AskOkCancel(std::optional<std::wstring> title = std::nullopt, std::optional<std::wstring> message = std::nullopt);
