// The wait form (layout form 24): a panel with a message, shown while the
// resources of a new language load.  Nothing is pumped during the load, so
// the form gets no input and is painted once, when LanguageChangeCommand asks
// for an immediate paint; it therefore shows the texts of the language that
// was loaded before.  Its panel covers the change-language dialog's, whose
// pixels would otherwise stay on screen through the load: nothing repaints
// the form behind while the dialog's controller is current.  The box label's
// face lets what lies under it show through, so the panel first lays down
// the page's white.
#pragma once

#include <memory>
#include <tuple>

#include "forms/common/ApplyItemConfig.h"
#include "forms/common/FormBase.h"
#include "notus/displays/virtual_window.h"
#include "notus/managers/view_manager.h"
#include "notus/ownerdraw/box_label.h"
#include "notus/ownerdraw/faces.h"
#include "notus/ownerdraw/label.h"
#include "notus/strategy.h"
#include "notus/view.h"

namespace wait_form {

struct opaque_backdrop : notus::handle_event<notus::impl::ev_paint> {
  template <class View>
  bool on_paint(notus::impl::ev_paint& p, View&) {
    notus::ownerdraw::paint_device(p)->fill_rect(p.client, notus::ownerdraw::colours::white, 255);
    return true;
  }
};

using panel_view =
    notus::view<notus::displays::virtual_window_label<notus::traits>,
                std::tuple<opaque_backdrop, notus::ownerdraw::box_label_paint_strategy>, notus::ownerdraw::label_model>;

inline constexpr int kForm = 24;
inline constexpr int kPanelItem = 1;
inline constexpr int kMessageItem = 2;

struct Model : FormBase {
  std::shared_ptr<panel_view> panel;
  std::shared_ptr<notus::ownerdraw::label_view> message;
};

// The panel, then the message in front of it; no focus, no buttons.
struct Create {
  template <class Manager, class... Parent>
  bool create(Manager& m, Parent&...) {
    m.panel = m.template create_view<panel_view>();
    forms::ApplyItemConfig(kForm, kPanelItem, *m.panel);
    m.message = m.template create_view<notus::ownerdraw::label_view>();
    forms::ApplyItemConfig(kForm, kMessageItem, *m.message);
    return true;
  }
};

using Form = notus::managers::view_manager<Model, std::tuple<Create>>;

}  // namespace wait_form
