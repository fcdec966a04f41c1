#include "forms/language/ChangeLanguageDialog.h"

void change_language_dialog_type::Show() {
  std::shared_ptr<Application::frame_display> parent;
  if (Application* state = Application::Instance()) parent = state->FrameDisplay();
  m_form = std::make_shared<change_language_dialog::Form>(parent);
  if (!m_cancel) m_form->cancel.reset();
}
