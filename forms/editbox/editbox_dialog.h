// The edit-box dialog: form 20 (EditboxForm.h) shown modally over the current
// form, with a prompt as its title and the entry prefilled.  It follows the
// protocol of every dialog (virtual_window_dialog.h): make it, set its
// texts, Show, run the nested loop, read the answer, let it go.
// AskForText does all of that for the commands that need one line of text.
#pragma once

#include <memory>
#include <string>

#include "forms/editbox/EditboxForm.h"
#include "notus/ownerdraw/main_window.h"
#include "notus/platform/ownerdrawWin32/virtual_window_dialog.h"

class editbox_dialog : public notus::impl::virtual_window_dialog {
 public:
  using parent_type = notus::mainwindow::frame_display;

  // The dialog's controller is current from here until it is destroyed.
  explicit editbox_dialog(std::shared_ptr<parent_type> parent);
  // The form goes first, so its windows leave the dialog's controller
  // (and the area they covered is repainted) before the controller goes.
  ~editbox_dialog();

  void SetInitialText(std::wstring text) { m_initialText = std::move(text); }
  void SetPrompt(std::wstring prompt) { m_prompt = std::move(prompt); }

  // Builds form 20, puts the initial text into the entry and the prompt into
  // the title.  Throws std::invalid_argument for a missing item of form 20,
  // and then nothing is shown.
  void Show() override;

  // Null until Show.
  EditboxForm::Manager* form() const noexcept { return m_form.get(); }

 private:
  std::shared_ptr<parent_type> m_parent;
  std::shared_ptr<EditboxForm::Manager> m_form;
  std::wstring m_initialText;
  std::wstring m_prompt;
};

struct EditboxAnswer {
  bool accepted = false;
  // What the entry held when a button ended the dialog; empty when it ended
  // otherwise (the main window's close ends only the dialog, as Cancel).
  std::wstring text;
};

// Shows the dialog over the application's main frame and waits for the
// answer.
EditboxAnswer AskForText(const std::wstring& initialText, const std::wstring& prompt);
