#include "forms/dialogs/OkDialog.h"

#include <utility>

void ok_dialog::Show() {
  auto form = std::make_shared<OkForm::Manager>(dialogs::FrameDisplayOrNull());
  form->title->model().text = title;
  form->message->model().text = message;
  dialogs::FitToMessage(*form->title, *form->message, {form->button.get()});
  m_form = std::move(form);
}

void ShowOkDialog(const std::wstring& title, const std::wstring& message) {
  ok_dialog dialog;
  dialog.title = title;
  dialog.message = message;
  dialog.Show();
  notus::impl::details::app::run_message_loop();
}
