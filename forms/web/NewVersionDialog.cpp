#include "forms/web/NewVersionDialog.h"

#include "app/ResourceManager.h"

namespace {

constexpr int kTitleString = 408;
constexpr int kMessageString = 409;

}  // namespace

new_vwrsion_dialog::new_vwrsion_dialog()
    : ok_cancel_dialog(ResourceManager::GetString(kTitleString), ResourceManager::GetString(kMessageString)) {}

bool AskAboutNewVersion() {
  new_vwrsion_dialog dialog;
  dialog.Show();
  notus::impl::details::app::run_message_loop();
  return dialog.accepted();
}
