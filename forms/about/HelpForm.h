// The help form (layout form 13): the caption "Help" over the game's help
// text, string 371.  ShowHelpFormCommand.h shows it from the main menu.
#pragma once

#include <tuple>

#include "app/ResourceManager.h"
#include "forms/about/TextPage.h"
#include "notus/managers/view_manager.h"

namespace HelpForm {

inline constexpr int kForm = 13;
inline constexpr int kHelpString = 371;

struct Model : text_page::Model {};

struct Create {
  template <class Manager, class Parent>
  bool create(Manager& m, Parent& parent) {
    text_page::Build(m, parent, kForm, ResourceManager::GetString(kHelpString));
    return true;
  }
};

using Manager = notus::managers::view_manager<Model, std::tuple<Create>>;

}  // namespace HelpForm
