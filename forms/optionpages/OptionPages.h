// The three pages of the options form that change the player's options and
// work on the current puzzle (Game, Assistance, Preferences with its
// grid-paint part), as the options form (forms/options) builds them: one call
// per page, each making the page's view manager over the given parent
// display.  The options form keeps what it gets in its page slots and
// releases it when another tab is chosen; the page's views go with it.
#pragma once

#include <memory>

#include "forms/common/Application.h"
#include "forms/common/FormBase.h"

namespace option_pages {

using Parent = std::shared_ptr<Application::frame_display>;

// Each throws what ResourceManager::GetItemConfig throws for a missing item
// of its form, and then no page is made.
std::shared_ptr<FormBase> MakeGamePage(const Parent& parent);         // form 4
std::shared_ptr<FormBase> MakeAssistancePage(const Parent& parent);   // form 5
std::shared_ptr<FormBase> MakePreferencesPage(const Parent& parent);  // form 6
std::shared_ptr<FormBase> MakeGridPaintPart(const Parent& parent);    // form 6, grid paint type

}  // namespace option_pages
