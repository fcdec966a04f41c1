// The help button: a glyph button (glyph_button.h) whose click opens the
// help dialog with the text its model names.  The dialog belongs to the
// forms, so the button reaches it through the installed help-dialog runner
// (installed_functions.h), which runs it modally in a nested message loop and
// returns when it has closed.
//
// The dialog runs after the view's listeners have seen the click, and after
// the button has let go of the capture and (on the mouse path) of its pressed
// face, so the button is idle while the dialog runs and works on return.
#pragma once

#include <cstdint>
#include <tuple>

#include "notus/ownerdraw/glyph_button.h"
#include "notus/ownerdraw/installed_functions.h"

namespace tooltip {

struct HelpButtonModel : notus::ownerdraw::glyph_button_model {
  // The string id of the help text; the form sets it.
  std::uint32_t help_text_id = 0;
};

struct clicked : notus::handle_event<notus::impl::ev_click, 0> {
  template <class View>
  bool on_click(notus::impl::ev_click&, View& v) {
    notus::ownerdraw::run_help_dialog(v.model().help_text_id, notus::ownerdraw::help_title_id);
    return true;
  }
};

using help_button_view = notus::view<
    notus::displays::virtual_window<notus::traits>,
    std::tuple<notus::ownerdraw::push_button_mouse_strategy, notus::ownerdraw::generate_buttonClicked_strategy,
               notus::ownerdraw::glyph_push_button_paint_strategy, notus::ownerdraw::push_button_key_strategy, clicked,
               notus::common_key_strategy::UpDownInTabLeftRightInGroup>,
    HelpButtonModel>;

}  // namespace tooltip
