#include "forms/language/LanguageChangeCommand.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "app/ResourceManager.h"
#include "forms/application/GetCurrentScreenResolutionCommand.h"
#include "forms/common/Application.h"
#include "forms/language/ChangeLanguageDialog.h"
#include "forms/language/GetSupportedLanguagesCommand.h"
#include "forms/language/WaitForm.h"
#include "notus/platform/ownerdrawWin32/app.h"

namespace {

struct ScreenSize {
  int width = 0;
  int height = 0;
};

// The size the layouts are loaded for, as the program's host reports it.
ScreenSize CurrentScreenSize() {
  GetCurrentScreenResolutionCommand screen;
  screen.Execute();
  return {screen.width, screen.height};
}

}  // namespace

void LanguageChangeCommand::Execute() {
  changed = false;
  Application* state = Application::Instance();
  if (state == nullptr) return;

  change_language_dialog_type dialog(fromOptions);
  dialog.Show();
  notus::impl::details::app::run_message_loop();
  if (!dialog.form()->accepted) return;

  // An empty list (no file names a language) has no row to take.
  GetSupportedLanguagesCommand supported;
  supported.Execute();
  const std::int32_t row = dialog.form()->languages->selected;
  if (row < 0 || static_cast<std::size_t>(row) >= supported.languages.size()) return;
  const std::wstring chosen = supported.languages[static_cast<std::size_t>(row)];
  // The player has chosen: a language kept from a failed load is dropped.
  if (state->player) state->player->unloadedLanguage.clear();
  if (chosen == state->options.language) return;

  dialog.ReleaseForm();
  if (!LoadLanguageBehindWaitForm(chosen)) return;
  state->options.language = chosen;
  changed = true;
}

bool LoadLanguageBehindWaitForm(const std::wstring& language) {
  Application* state = Application::Instance();
  if (state == nullptr) return false;
  wait_form::Form wait(state->FrameDisplay());
  forms::window_ops::update(wait.panel->display().handle());
  const ScreenSize screen = CurrentScreenSize();
  return LoadResources(language, screen.width, screen.height);
}
