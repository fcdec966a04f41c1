#include "forms/tabbar/TabCommands.h"

#include "forms/gameform/ShowGameFormCommand.h"
#include "forms/menu/ShowMenuFormCommand.h"
#include "forms/options/ShowOptionFormCommand.h"

namespace application_tab_bar {

void RunTabCommand(std::int32_t id) {
  switch (id) {
    case kMenuTab: ShowMenuFormCommand().Execute(); break;
    case kGameTab: ShowGameFormCommand(false).Execute(); break;
    case kOptionsTab: ShowOptionFormCommand().Execute(); break;
    default: break;
  }
}

}  // namespace application_tab_bar
