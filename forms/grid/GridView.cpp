#include "forms/grid/GridView.h"

namespace grid {

void RunGridCommand(gamecommands::Base* command) {
  gamecommands::ExecuteCommand(std::shared_ptr<gamecommands::Base>(command));
}

}  // namespace grid
