// The application object: the main frame view, whose display parents every
// form's, dialog's and game's views and which holds the application tab bar;
// the current form; the pending form command; the current game; the hint
// display the game commands show (a hint text, the help button beside it
// and the invisible tool tip that hides both again); the player's options
// and statistics.  It also owns the undo history for as long as it lives.
//
// There is one at a time, reached through Instance().  A show-form command
// stores a copy of itself as the pending form command and posts the
// deferred message to the main window; the main frame hands that message to
// the deferred-form builder, which start-up points at RunPendingFormCommand.
// The commands of the application (forms/application) and the services
// start-up installs for the lower layers work on it from outside.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/Options.h"
#include "app/Statistics.h"
#include "forms/common/FormBase.h"
#include "game/ApplicationCommand.h"
#include "game/GameBase.h"
#include "notus/ownerdraw/help_button.h"
#include "notus/ownerdraw/hint.h"
#include "notus/ownerdraw/main_window.h"
#include "notus/ownerdraw/tooltip.h"

// The game form's layout items that the hint display takes its places from.
namespace hint_display {
inline constexpr int kForm = 16;
inline constexpr int kHintItem = 5;
inline constexpr int kHelpButtonItem = 11;
// The help button's question mark: normal, pressed, disabled.
inline constexpr std::uint32_t kHelpGlyphs[3] = {109, 110, 111};
// Paint order: the help button lies in front of the hint, which lies in
// front of every form.
inline constexpr int kHelpButtonZ = -2000;
inline constexpr int kHintZ = -1000;
}  // namespace hint_display

class Application {
 public:
  using frame_view = notus::mainwindow::main_window_view;
  using frame_display = notus::mainwindow::frame_display;

  // In this order: makes a new undo history; builds the main frame view
  // (and with it the tab bar, through the installed factory) under the
  // current window controller and sizes the main window by layout item
  // (0, 1); makes a hidden 9x9 game of level 0 with the default keypad
  // arrangement; builds the hint display, hidden, placed by the game form's
  // items 5 (hint, tool tip) and 11 (help button).  Throws std::logic_error
  // "Only one domain is possible." while another exists, and the
  // std::invalid_argument of the layout lookup for a missing item; then
  // nothing of it is left, the undo history neither.
  Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;
  ~Application();

  // Null while there is none.
  static Application* Instance() noexcept;

  frame_view& MainFrame() noexcept { return *m_mainFrame; }
  std::shared_ptr<frame_display> FrameDisplay() const { return m_mainFrame->display_ptr(); }
  // The tab bar the frame holds, as the tab-bar factory made it.
  const std::shared_ptr<void>& TabBar() const noexcept { return std::get<2>(m_mainFrame->strategies()).tab_bar(); }

  // Replaces the pending form command (the old one is deleted) by a copy of
  // command, and posts the deferred message for it to the main window.
  template <class Command>
  void ShowFormLater(const Command& command) {
    SetPendingFormCommand(std::make_unique<Command>(command));
    PostDeferredFormMessage();
  }
  void SetPendingFormCommand(std::unique_ptr<ApplicationCommand> command) noexcept;
  ApplicationCommand* PendingFormCommand() const noexcept { return m_pendingFormCommand.get(); }
  // Takes the pending command out of its slot, runs its deferred build and
  // deletes it; a command stored during that build stays pending, for the
  // message it posted.  Nothing happens while none is pending.
  void RunPendingFormCommand();

  // A new Game<n> of that level, hidden, with the player's options passed
  // on, all but the automatic pencil marks and the sound, which the game
  // does not keep.  It is not the current game: a command that fills it
  // while messages flow (a generation) makes it current once it is
  // complete.  Any n but 2, 3 and 4 throws the character string
  // " Application::SeGameSize - Wrong game size!".
  std::shared_ptr<GameBase> NewGame(int n, std::uint32_t level) const;
  // Replaces the current game by NewGame(n, level), built before the old
  // one goes, for a command that fills it before any message is handled.
  void SeGameSize(int n, std::uint32_t level);

  // Shows the hint text with the help button for the help text helpId
  // beside it, and the tool tip that hides both at the player's next press
  // elsewhere or key.  Repaints them with the next paint pass.
  void ShowHintDisplay(const std::wstring& text, std::uint32_t helpId);
  // What the tool tip does once it has hidden itself.
  void HideHintDisplay();

  tooltip::tool_tip_view& ToolTip() noexcept { return *m_toolTip; }
  tooltip::help_button_view& HelpButton() noexcept { return *m_helpButton; }
  notus::ownerdraw::hint_view& HintView() noexcept { return *m_hintView; }

 private:
  // Made first and gone last, also when the constructor throws: it refuses
  // a second application before anything of it is made (a second undo
  // history would replace the first one's), and owns the undo history.
  struct DomainLifetime {
    DomainLifetime();
    ~DomainLifetime();
    DomainLifetime(const DomainLifetime&) = delete;
    DomainLifetime& operator=(const DomainLifetime&) = delete;
  };

  void BuildHintDisplay();
  static void PostDeferredFormMessage();

  // The fields are declared in the order they are made, every view after
  // the frame whose display parents it: a constructor that throws half-way
  // releases them in the reverse order, as the destructor does.
  DomainLifetime m_domain;
  std::unique_ptr<frame_view> m_mainFrame;

 public:
  // The form shown; a new form is complete before it replaces the old one.
  std::shared_ptr<FormBase> currentForm;
  // The game shown and played, and the one a save writes: always a
  // complete game, or the stand-in the application is made with (an empty
  // 9x9 grid until a game is restored or made), which a save never writes.
  std::shared_ptr<GameBase> game;
  bool HoldsStandInGame() const noexcept { return game != nullptr && game == m_standIn.lock(); }

 private:
  std::shared_ptr<tooltip::tool_tip_view> m_toolTip;
  std::shared_ptr<tooltip::help_button_view> m_helpButton;
  std::shared_ptr<notus::ownerdraw::hint_view> m_hintView;

 public:
  Options options;
  std::vector<StatisticRecord> statistics;

  // The player the options and statistics belong to.  They are saved under
  // this player's id, whatever "users.txt" names as current by then: another
  // copy of the program on the same settings folder may have changed it.
  struct HeldPlayer {
    int id = 0;
    std::wstring name;
    // The language the player's file names when the texts could not be
    // loaded in it: options.language names the language on screen, and the
    // save keeps this one, so the player's choice outlives the failure.
    // Empty when the two agree.
    std::wstring unloadedLanguage;
  };
  // Empty until a player's settings are loaded.
  std::optional<HeldPlayer> player;

 private:
  std::unique_ptr<ApplicationCommand> m_pendingFormCommand;
  std::weak_ptr<GameBase> m_standIn;
};
