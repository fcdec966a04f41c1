#include "forms/common/ApplicationState.h"

#include "forms/common/ApplyItemConfig.h"

#include <stdexcept>
#include <utility>

#include "notus/platform/ownerdrawWin32/app.h"
#include "notus/platform/ownerdrawWin32/virtual_window_impl.h"
#include "winapi/windows.h"

namespace {
ApplicationState* g_instance = nullptr;
}

ApplicationState::ApplicationState() {
  if (g_instance != nullptr) throw std::logic_error("Only one domain is possible.");
  m_mainFrame = std::make_unique<frame_view>();
  // The frame's window is the main window: this sizes the native window and
  // with it the back buffer.
  forms::ApplyItemRect(ResourceManager::GetItemConfig(0, 1), *m_mainFrame);
  g_instance = this;
}

// The form and the game go before the frame whose display parents them.
ApplicationState::~ApplicationState() {
  currentForm.reset();
  game.reset();
  m_pendingFormCommand.reset();
  m_mainFrame.reset();
  g_instance = nullptr;
}

ApplicationState* ApplicationState::Instance() noexcept { return g_instance; }

void ApplicationState::SetPendingFormCommand(std::unique_ptr<ApplicationCommand> command) noexcept {
  m_pendingFormCommand = std::move(command);
}

void ApplicationState::RunPendingFormCommand() {
  std::unique_ptr<ApplicationCommand> command = std::move(m_pendingFormCommand);
  if (command) command->ExecuteDeferred();
}

// lParam 0 names no window object: the main window hands the message to its
// frame.
void ApplicationState::PostDeferredFormMessage() {
  PostMessageW(notus::impl::details::app::instance().main_window(), notus::impl::message_deferred, 0, 0);
}
