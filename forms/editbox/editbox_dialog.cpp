#include "forms/editbox/editbox_dialog.h"

#include "forms/common/Application.h"
#include "notus/platform/ownerdrawWin32/app.h"

editbox_dialog::editbox_dialog(std::shared_ptr<parent_type> parent) : m_parent(std::move(parent)) {}

editbox_dialog::~editbox_dialog() { m_form.reset(); }

void editbox_dialog::Show() {
  auto form = std::make_shared<EditboxForm::Manager>(m_parent);
  forms::window_ops::set_text(form->entry->display().handle(), m_initialText);
  form->title->model().text = m_prompt;
  forms::window_ops::invalidate(form->title->display().handle());
  m_form = std::move(form);
}

EditboxAnswer AskForText(const std::wstring& initialText, const std::wstring& prompt) {
  const Application* state = Application::Instance();
  editbox_dialog dialog(state ? state->FrameDisplay() : nullptr);
  dialog.SetInitialText(initialText);
  dialog.SetPrompt(prompt);
  dialog.Show();
  notus::impl::details::app::run_message_loop();
  return EditboxAnswer{dialog.form()->accepted, dialog.form()->text};
}
