// The change-language dialog (layout form 23): a title panel, a combo box of
// the resource file's languages with the current one chosen, OK (focused)
// and Cancel.  LanguageChangeCommand runs it, reads the answer from the form
// (accepted, and the combo box's committed row) and then shows the wait form
// (WaitForm.h) while the chosen language loads.
//
// At start-up there is nothing to go back to, so the dialog is shown without
// its Cancel button; closing the main window still ends it as a cancel.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "app/ResourceManager.h"
#include "forms/common/Application.h"
#include "forms/common/ApplyItemConfig.h"
#include "forms/common/ComboBoxFromItem.h"
#include "forms/common/FormBase.h"
#include "forms/language/GetSupportedLanguagesCommand.h"
#include "notus/managers/view_manager.h"
#include "notus/ownerdraw/box_label.h"
#include "notus/ownerdraw/combo_box.h"
#include "notus/ownerdraw/push_button.h"
#include "notus/platform/ownerdrawWin32/app.h"
#include "notus/platform/ownerdrawWin32/virtual_window_dialog.h"
#include "notus/strategy.h"

namespace change_language_dialog {

inline constexpr int kForm = 23;
inline constexpr int kTitleItem = 1;
inline constexpr int kOkItem = 3;
inline constexpr int kCancelItem = 4;
inline constexpr int kLanguagesItem = 5;
using languages_combo = forms::combo_box;

struct Model : FormBase {
  // Releases the views from the combo box back to the title; the model is
  // then an answer without windows.
  void ReleaseViews() {
    languages.reset();
    cancel.reset();
    ok.reset();
    title.reset();
  }

  std::shared_ptr<notus::ownerdraw::box_label_view> title;
  std::shared_ptr<notus::ownerdraw::push_button_view> ok;
  // Empty when the dialog has no Cancel button.
  std::shared_ptr<notus::ownerdraw::push_button_view> cancel;
  std::shared_ptr<languages_combo> languages;
  bool accepted = false;
};

// The row of the current language: the last that names it exactly, else 0.
inline std::size_t CurrentLanguageRow(const std::vector<std::wstring>& languages, const std::wstring& current) {
  std::size_t row = 0;
  for (std::size_t i = 0; i < languages.size(); ++i)
    if (languages[i] == current) row = i;
  return row;
}

// Title, OK, Cancel, the focus on OK, then the combo box filled with the
// languages and showing the current one.  Committing the row does not call
// the combo box's callback, which this dialog leaves empty; the answer is
// read from the combo box after the dialog.
struct Create {
  template <class Manager, class Parent>
  bool create(Manager& m, Parent& parent) {
    using notus::ownerdraw::box_label_view;
    using notus::ownerdraw::push_button_view;
    m.title = m.template create_view<box_label_view>();
    forms::ApplyItemConfig(kForm, kTitleItem, *m.title);
    m.ok = m.template create_view<push_button_view>();
    forms::ApplyItemConfig(kForm, kOkItem, *m.ok);
    m.cancel = m.template create_view<push_button_view>();
    forms::ApplyItemConfig(kForm, kCancelItem, *m.cancel);
    forms::window_ops::set_focus(m.ok->display().handle());

    GetSupportedLanguagesCommand supported;
    supported.Execute();
    std::wstring current;
    if (Application* state = Application::Instance()) current = state->options.language;
    m.languages = forms::MakeComboBox(kForm, kLanguagesItem, parent, supported.languages);
    // An empty list commits nothing.
    m.languages->select_item(static_cast<std::int32_t>(CurrentLanguageRow(supported.languages, current)));
    return true;
  }
};

// OK accepts; OK and Cancel both end the dialog's message loop.
struct ButtonClickedStrategy : notus::handle_event<notus::impl::ev_click, 0> {
  template <class Manager>
  bool on_click(notus::impl::ev_click& click, Manager& m) {
    if (click.id == kOkItem) m.accepted = true;
    notus::impl::details::app::quit();
    return true;
  }
};

using Form = notus::managers::view_manager<Model, std::tuple<Create, ButtonClickedStrategy>>;

}  // namespace change_language_dialog

class change_language_dialog_type : public notus::impl::virtual_window_dialog {
 public:
  // cancel: whether the dialog keeps its Cancel button.
  explicit change_language_dialog_type(bool cancel) : m_cancel(cancel) {}
  // The form goes before the base gives its controller up.
  ~change_language_dialog_type() = default;

  // Builds form 23 over the main frame's display; without the cancel flag
  // its Cancel button goes again at once.  Does not wait.
  void Show() override;

  // Null before Show and after ReleaseForm.
  change_language_dialog::Form* form() const noexcept { return m_form.get(); }
  // Removes the form's windows; the dialog's controller stays current.
  void ReleaseForm() noexcept { m_form.reset(); }

 private:
  std::shared_ptr<change_language_dialog::Form> m_form;
  bool m_cancel;
};
