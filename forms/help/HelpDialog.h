// The help dialog: a modal dialog that shows one help text of the resource
// file under a caption (form 22, HelpDialogForm.h).  The widgets' help button
// (notus/ownerdraw/help_button.h) reaches it through the help-dialog runner
// that start-up installs with InstallHelpDialog; the options form calls
// RunHelpDialog with its own texts.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "forms/help/HelpDialogForm.h"
#include "notus/platform/ownerdrawWin32/virtual_window_dialog.h"

class help_dialog : public notus::impl::virtual_window_dialog {
 public:
  help_dialog(std::wstring helpText, std::wstring caption);
  // The form goes before the base gives its controller up.
  ~help_dialog() = default;

  // Builds form 22 over the main frame's display, puts the help text into
  // the text box (split into words and wrapped to the box) and the caption
  // into the label.  Does not wait.
  void Show() override;

  // Null until Show.
  HelpDialogForm::Form* form() const noexcept { return m_form.get(); }

 private:
  std::shared_ptr<HelpDialogForm::Form> m_form;
  std::wstring m_helpText;
  std::wstring m_caption;
};

// Shows the strings helpTextId under the caption titleTextId and returns when
// the player has closed the dialog.  The help button passes 389 as title.
void RunHelpDialog(std::uint32_t helpTextId, std::uint32_t titleTextId);

// Makes RunHelpDialog the widgets' help-dialog runner; start-up calls it.
void InstallHelpDialog();
