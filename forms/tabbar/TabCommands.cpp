#include "forms/tabbar/TabCommands.h"

#include <array>
#include <stdexcept>
#include <string>
#include <utility>

namespace application_tab_bar {

namespace {

std::array<TabCommand, 3>& Commands() {
  static std::array<TabCommand, 3> commands;
  return commands;
}

bool IsTab(std::int32_t id) { return id >= kMenuTab && id <= kOptionsTab; }

}  // namespace

void SetTabCommand(std::int32_t id, TabCommand command) {
  if (!IsTab(id)) throw std::invalid_argument("SetTabCommand: no tab " + std::to_string(id));
  Commands()[static_cast<std::size_t>(id - kMenuTab)] = std::move(command);
}

// A copy runs, so a command may replace itself while it runs.
void RunTabCommand(std::int32_t id) {
  if (!IsTab(id)) return;
  const TabCommand command = Commands()[static_cast<std::size_t>(id - kMenuTab)];
  if (command) command();
}

}  // namespace application_tab_bar
