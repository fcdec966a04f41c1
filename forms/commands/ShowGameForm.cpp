#include "forms/commands/ShowGameForm.h"

#include <utility>

namespace application_commands {

namespace {

ShowGameFormFunction& Installed() {
  static ShowGameFormFunction function;
  return function;
}

}  // namespace

void InstallShowGameForm(ShowGameFormFunction function) { Installed() = std::move(function); }

// A copy runs, so the function may install another while it runs.
void ShowGameForm(bool showPuzzleInfo) {
  const ShowGameFormFunction function = Installed();
  if (function) function(showPuzzleInfo);
}

}  // namespace application_commands
