// What the forms and dialogs use of the application object: the main frame
// view, whose display parents every form's and dialog's views and which
// holds the application tab bar; the current form; the pending form
// command; the current game; the player's options and statistics.
//
// There is one at a time, reached through Instance().  A show-form command
// stores a copy of itself as the pending form command and posts the
// deferred message to the main window; the main frame hands that message to
// the deferred-form builder, which start-up points at RunPendingFormCommand.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "app/Options.h"
#include "app/Statistics.h"
#include "forms/common/FormBase.h"
#include "game/ApplicationCommand.h"
#include "game/GameBase.h"
#include "notus/ownerdraw/main_window.h"

class ApplicationState {
 public:
  using frame_view = notus::mainwindow::main_window_view;
  using frame_display = notus::mainwindow::frame_display;

  // Builds the main frame view (and with it the tab bar, through the
  // installed factory) under the current window controller and sizes the
  // main window by layout item (0, 1).  Throws std::logic_error "Only one
  // domain is possible." while another exists, and what the layout lookup
  // throws.
  ApplicationState();
  ApplicationState(const ApplicationState&) = delete;
  ApplicationState& operator=(const ApplicationState&) = delete;
  ~ApplicationState();

  // Null while there is none.
  static ApplicationState* Instance() noexcept;

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

  // Replaces the current game by a new Game<n> of that level (built before
  // the old one goes), hidden, with the player's options passed on, all but
  // the automatic pencil marks and the sound, which the game does not keep.
  // Any n but 2, 3 and 4 throws the character string
  // " Application::SeGameSize - Wrong game size!".
  void SeGameSize(int n, std::uint32_t level);

  // The form shown; a new form is complete before it replaces the old one.
  std::shared_ptr<FormBase> currentForm;
  std::shared_ptr<GameBase> game;
  Options options;
  std::vector<StatisticRecord> statistics;

 private:
  static void PostDeferredFormMessage();

  std::unique_ptr<frame_view> m_mainFrame;
  std::unique_ptr<ApplicationCommand> m_pendingFormCommand;
};
