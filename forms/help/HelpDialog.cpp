#include "forms/help/HelpDialog.h"

#include <utility>

#include "app/ResourceManager.h"
#include "forms/common/Application.h"
#include "notus/ownerdraw/installed_functions.h"

help_dialog::help_dialog(std::wstring helpText, std::wstring caption)
    : m_helpText(std::move(helpText)), m_caption(std::move(caption)) {}

void help_dialog::Show() {
  // The form's own windows need no parent; the text box only passes it on.
  // Without an application object (tools) there is none to give.
  std::shared_ptr<Application::frame_display> parent;
  if (Application* state = Application::Instance()) parent = state->FrameDisplay();
  m_form = std::make_shared<HelpDialogForm::Form>(parent);

  auto& text = m_form->text->text_view->model();
  text.text = m_helpText;
  text.split(m_helpText);
  notus::ownerdraw::announce(text);

  m_form->caption->model().text = m_caption;
  forms::window_ops::invalidate(m_form->caption->display().handle());
}

void RunHelpDialog(std::uint32_t helpTextId, std::uint32_t titleTextId) {
  help_dialog dialog(ResourceManager::GetString(static_cast<int>(helpTextId)),
                     ResourceManager::GetString(static_cast<int>(titleTextId)));
  dialog.Show();
  notus::impl::details::app::run_message_loop();
}

void InstallHelpDialog() { notus::ownerdraw::set_help_dialog_runner(RunHelpDialog); }
