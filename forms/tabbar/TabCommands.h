// What choosing a tab of the application tab bar runs: the show-form
// command of its form, by the tab's id.
//
//   tab 1, Menu:    ShowMenuFormCommand
//   tab 2, Game:    ShowGameFormCommand(false), without the puzzle information
//   tab 3, Options: ShowOptionFormCommand
//
// Those commands live with their forms, and the forms build on the tab bar
// (the game form's command clears the bar's highlight), so the bar cannot
// name them.  Start-up installs each form's command here instead; the Game
// tab's, for example, is
//
//   application_tab_bar::SetTabCommand(application_tab_bar::kGameTab, ShowGameFormCommand(false));
//
// A tab without an installed command runs nothing, and so does any other id
// (the bar's own -1, "no tab").
#pragma once

#include <cstdint>
#include <functional>

namespace application_tab_bar {

inline constexpr std::int32_t kMenuTab = 1;
inline constexpr std::int32_t kGameTab = 2;
inline constexpr std::int32_t kOptionsTab = 3;
inline constexpr std::int32_t kNoTab = -1;

using TabCommand = std::function<void()>;

// Throws std::invalid_argument for an id other than the three tabs'.  An
// empty function removes the tab's command.
void SetTabCommand(std::int32_t id, TabCommand command);

// A copy of the command runs (Execute) each time the tab is chosen, so the
// same command may be chosen again while an earlier copy is still pending.
template <class Command>
requires requires(Command c) { c.Execute(); }
void SetTabCommand(std::int32_t id, const Command& command) {
  SetTabCommand(id, TabCommand([command] { Command(command).Execute(); }));
}

// Runs the tab's command; nothing for a tab without one or another id.
void RunTabCommand(std::int32_t id);

}  // namespace application_tab_bar
