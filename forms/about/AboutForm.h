// The about form (layout form 14): the caption "About" over the about text
// (AboutText.h).  ShowAboutFormCommand.h shows it from the main menu.
#pragma once

#include <tuple>

#include "forms/about/AboutText.h"
#include "forms/about/TextPage.h"
#include "notus/managers/view_manager.h"

namespace aboutform {

inline constexpr int kForm = 14;

struct Model : text_page::Model {};

// The text is composed once, as the form is built.
struct Create_s {
  template <class Manager, class Parent>
  bool create(Manager& m, Parent& parent) {
    text_page::Build(m, parent, kForm, AboutText());
    return true;
  }
};

using Manager = notus::managers::view_manager<Model, std::tuple<Create_s>>;

}  // namespace aboutform
