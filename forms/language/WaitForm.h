// The wait form (layout form 24): a panel with a message, shown while the
// resources of a new language load.  Nothing is pumped during the load, so
// the form gets no input and is painted once, when LanguageChangeCommand asks
// for an immediate paint; it therefore shows the texts of the language that
// was loaded before.  Its panel covers the change-language dialog's, whose
// pixels would otherwise stay on screen through the load.
#pragma once

#include <memory>
#include <tuple>

#include "forms/common/ApplyItemConfig.h"
#include "forms/common/FormBase.h"
#include "notus/managers/view_manager.h"
#include "notus/ownerdraw/box_label.h"
#include "notus/ownerdraw/label.h"

namespace wait_form {

inline constexpr int kForm = 24;
inline constexpr int kPanelItem = 1;
inline constexpr int kMessageItem = 2;

struct Model : FormBase {
  std::shared_ptr<notus::ownerdraw::box_label_view> panel;
  std::shared_ptr<notus::ownerdraw::label_view> message;
};

// The panel, then the message in front of it; no focus, no buttons.
struct Create {
  template <class Manager, class... Parent>
  bool create(Manager& m, Parent&...) {
    m.panel = m.template create_view<notus::ownerdraw::box_label_view>();
    forms::ApplyItemConfig(kForm, kPanelItem, *m.panel);
    m.message = m.template create_view<notus::ownerdraw::label_view>();
    forms::ApplyItemConfig(kForm, kMessageItem, *m.message);
    return true;
  }
};

using Form = notus::managers::view_manager<Model, std::tuple<Create>>;

}  // namespace wait_form
