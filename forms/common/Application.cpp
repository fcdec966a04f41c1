#include "forms/common/Application.h"

#include <stdexcept>
#include <utility>

#include "forms/common/ApplyItemConfig.h"
#include "forms/gameobject/Game.h"
#include "game/CommandHistory.h"
#include "notus/platform/ownerdrawWin32/app.h"
#include "notus/platform/ownerdrawWin32/virtual_window_impl.h"
#include "winapi/windows.h"

namespace {

Application* g_instance = nullptr;

template <unsigned N>
std::shared_ptr<GameBase> MakeGame(std::uint32_t level, const std::shared_ptr<void>& parent) {
  return std::make_shared<Game<N>>(level, parent);
}

// ApplyItemConfig for the widgets whose model has no id: the hint and the
// tool tip are never clicked, so nothing would read one.
template <class View>
void PlaceByItem(const ItemConfig& item, View& view) {
  forms::ApplyItemRect(item, view);
  view.model().text = item.text;
  const auto& h = view.display().handle();
  forms::window_ops::set_tab_index(h, item.tabIndex);
  forms::window_ops::set_order_index(h, item.orderIndex);
}

}  // namespace

Application::DomainLifetime::DomainLifetime() {
  if (g_instance != nullptr) throw std::logic_error("Only one domain is possible.");
  CommandHistory::Create();
}

Application::DomainLifetime::~DomainLifetime() { CommandHistory::Destroy(); }

Application::Application() {
  m_mainFrame = std::make_unique<frame_view>();
  // The frame's window is the main window: this sizes the native window and
  // with it the back buffer.
  forms::ApplyItemRect(ResourceManager::GetItemConfig(0, 1), *m_mainFrame);
  // A game exists from the start, so the commands never meet none; it stays
  // hidden until the game form shows it.  Its level is 0, an empty grid
  // that only stands in: a puzzle comes from the saved game or a
  // generation right after.
  game = MakeGame<3>(0, FrameDisplay());
  game->SetEnteringNumbers(static_cast<std::uint32_t>(options.enteringNumbers));
  game->Deactivate();
  m_standIn = game;
  BuildHintDisplay();
  g_instance = this;
}

void Application::BuildHintDisplay() {
  using namespace hint_display;
  const ItemConfig hintItem = ResourceManager::GetItemConfig(kForm, kHintItem);
  const ItemConfig helpItem = ResourceManager::GetItemConfig(kForm, kHelpButtonItem);

  m_toolTip = std::make_shared<tooltip::tool_tip_view>();
  forms::window_ops::hide(m_toolTip->display().handle());
  PlaceByItem(hintItem, *m_toolTip);
  tooltip::tool_tip_model& tip = m_toolTip->model();
  // A press on the help button must leave it shown, or the button would go
  // before its click arrives.
  tip.left = helpItem.left;
  tip.top = helpItem.top;
  tip.right = helpItem.right;
  tip.bottom = helpItem.bottom;
  tip.on_hide = ttl::func::function0<void>([this] { HideHintDisplay(); });

  m_helpButton = std::make_shared<tooltip::help_button_view>();
  forms::ApplyItemConfig(kForm, kHelpButtonItem, *m_helpButton);
  tooltip::HelpButtonModel& help = m_helpButton->model();
  help.glyph_id1 = kHelpGlyphs[0];
  help.glyph_id2 = kHelpGlyphs[1];
  help.glyph_id3 = kHelpGlyphs[2];
  forms::window_ops::set_z_order(m_helpButton->display().handle(), kHelpButtonZ);
  forms::window_ops::hide(m_helpButton->display().handle());

  m_hintView = std::make_shared<notus::ownerdraw::hint_view>();
  PlaceByItem(hintItem, *m_hintView);
  forms::window_ops::set_z_order(m_hintView->display().handle(), kHintZ);
  forms::window_ops::hide(m_hintView->display().handle());
}

// The views go before the frame whose display parents them, the form first
// as the one the player sees; the undo history goes last, with m_domain.
Application::~Application() {
  currentForm.reset();
  m_hintView.reset();
  m_helpButton.reset();
  m_toolTip.reset();
  game.reset();
  m_pendingFormCommand.reset();
  m_mainFrame.reset();
  g_instance = nullptr;
}

Application* Application::Instance() noexcept { return g_instance; }

std::shared_ptr<GameBase> Application::NewGame(int n, std::uint32_t level) const {
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
  return created;
}

void Application::SeGameSize(int n, std::uint32_t level) { game = NewGame(n, level); }

void Application::SetPendingFormCommand(std::unique_ptr<ApplicationCommand> command) noexcept {
  m_pendingFormCommand = std::move(command);
}

void Application::RunPendingFormCommand() {
  std::unique_ptr<ApplicationCommand> command = std::move(m_pendingFormCommand);
  if (command) command->ExecuteDeferred();
}

// lParam 0 names no window object: the main window hands the message to its
// frame.
void Application::PostDeferredFormMessage() {
  PostMessageW(notus::impl::details::app::instance().main_window(), notus::impl::message_deferred, 0, 0);
}

void Application::ShowHintDisplay(const std::wstring& text, std::uint32_t helpId) {
  m_hintView->model().text = text;
  m_helpButton->model().help_text_id = helpId;
  forms::window_ops::show(m_toolTip->display().handle());
  forms::window_ops::show(m_helpButton->display().handle());
  const auto& hint = m_hintView->display().handle();
  forms::window_ops::show(hint);
  // Shown already, it still has the last hint's text on the screen.
  forms::window_ops::invalidate(hint);
}

void Application::HideHintDisplay() {
  forms::window_ops::hide(m_helpButton->display().handle());
  forms::window_ops::hide(m_hintView->display().handle());
}
