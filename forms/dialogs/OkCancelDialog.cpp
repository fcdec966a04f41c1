#include "forms/dialogs/OkCancelDialog.h"

#include <utility>

ok_cancel_dialog::ok_cancel_dialog(std::optional<std::wstring> title, std::optional<std::wstring> message)
    : m_title(std::move(title)), m_message(std::move(message)) {}

void ok_cancel_dialog::Show() {
  auto form = std::make_shared<OkCancelForm::Manager>(dialogs::FrameDisplayOrNull());
  // The views are not painted yet: their new texts show at the first paint.
  if (m_title) form->title->model().text = *m_title;
  if (m_message) form->message->model().text = *m_message;
  dialogs::FitToMessage(*form->title, *form->message, {form->accept.get(), form->cancel.get()});
  m_form = std::move(form);
}

bool AskOkCancel(std::optional<std::wstring> title, std::optional<std::wstring> message) {
  ok_cancel_dialog dialog(std::move(title), std::move(message));
  dialog.Show();
  notus::impl::details::app::run_message_loop();
  return dialog.accepted();
}
