#include "forms/tabbar/DeselectApplicationTabBarCommand.h"

#include "forms/tabbar/ApplicationTabBar.h"
#include "forms/tabbar/TabCommands.h"

void DeselectApplicationTabBarCommand::Execute() {
  if (application_tab_bar::ApplicationTabBar* bar = application_tab_bar::HeldApplicationTabBar())
    application_tab_bar::SelectionChangedStrategy{}(*bar, application_tab_bar::kNoTab);
}
