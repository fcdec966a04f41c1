// What choosing a tab of the application tab bar runs: the show-form
// command of its form, by the tab's id.
//
//   tab 1, Menu:    ShowMenuFormCommand
//   tab 2, Game:    ShowGameFormCommand(false), without the puzzle information
//   tab 3, Options: ShowOptionFormCommand
//
// Any other id (the bar's own -1, "no tab") runs nothing.
#pragma once

#include <cstdint>

namespace application_tab_bar {

inline constexpr std::int32_t kMenuTab = 1;
inline constexpr std::int32_t kGameTab = 2;
inline constexpr std::int32_t kOptionsTab = 3;
inline constexpr std::int32_t kNoTab = -1;

// Runs the tab's show-form command; nothing for another id.
void RunTabCommand(std::int32_t id);

}  // namespace application_tab_bar
