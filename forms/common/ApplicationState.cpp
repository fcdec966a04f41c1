#include "forms/common/ApplicationState.h"

#include "forms/common/ApplyItemConfig.h"
#include "forms/game/Game.h"

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

namespace {

template <unsigned N>
std::shared_ptr<GameBase> MakeGame(std::uint32_t level, const std::shared_ptr<void>& parent) {
  return std::make_shared<Game<N>>(level, parent);
}

}  // namespace

void ApplicationState::SeGameSize(int n, std::uint32_t level) {
  std::shared_ptr<GameBase> created;
  switch (n) {
    case 2: created = MakeGame<2>(level, FrameDisplay()); break;
    case 3: created = MakeGame<3>(level, FrameDisplay()); break;
    case 4: created = MakeGame<4>(level, FrameDisplay()); break;
    default: throw " Application::SeGameSize - Wrong game size!";
  }
  created->SetEnteringNumbers(static_cast<std::uint32_t>(options.enteringNumbers));
  created->Deactivate();
  created->SetShowGuideLines(options.showGuideLines);
  created->SetFlagMistakes(options.flagMistakes);
  created->SetAllowOnlyValidEntries(options.allowOnlyValidEntries);
  created->SetOnTabClueDigits(static_cast<std::uint32_t>(options.onTabClueDigits));
  created->SetGridPaintType(static_cast<std::uint32_t>(options.gridPaintType));
  created->SetGridSymbols(static_cast<std::uint32_t>(options.gridSymbols));
  game = std::move(created);
}

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
