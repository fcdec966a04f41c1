// One tab of the application tab bar (ApplicationTabBar.h): a tab button
// that shows only a glyph, one for its selected state and one for its
// unselected state, over a rounded face.  Its behaviour is the framework's
// tab button's (selection.h): a press and release on an unselected tab, or
// Return or Space at any time, raise the selection-changed event with the
// tab's id; the bar hears it first and deselects the others, then the tab
// selects itself.  The arrows move the focus as on the glyph buttons.
//
// The faces have cache ids of their own.  The option pages' tabs use the
// framework's tab faces (8 and 9); since the cache key holds only the id and
// the size, a tab of the same size as one of theirs would show their face.
#pragma once

#include <cstdint>
#include <string>
#include <tuple>

#include "notus/displays/virtual_window.h"
#include "notus/ownerdraw/faces.h"
#include "notus/ownerdraw/installed_functions.h"
#include "notus/ownerdraw/navigation.h"
#include "notus/ownerdraw/selection.h"
#include "notus/view.h"

namespace application_tab_bar {

struct glyph_tab_button_model {
  // The layout's name of the tab; kept, but the tab shows only its glyph.
  std::wstring text;
  bool selected = false;
  // The item number of the tab, which its selection-changed event carries.
  std::uint32_t id = 0;
  std::uint32_t selected_glyph = 0;
  std::uint32_t unselected_glyph = 0;
};

inline constexpr unsigned face_app_tab_selected = 20;
inline constexpr unsigned face_app_tab = 21;

inline constexpr notus::ownerdraw::rounded_face app_tab_selected_face{
    face_app_tab_selected, notus::ownerdraw::colours::white, 255, 2.0, notus::ownerdraw::colours::tab_outline};
inline constexpr notus::ownerdraw::rounded_face app_tab_face{face_app_tab, notus::ownerdraw::colours::tab, 255, 2.0,
                                                             notus::ownerdraw::colours::tab_outline};

// The face (cached), the glyph fitted into the tab less two pixels, and,
// while the tab has the focus, a wide orange frame over both.
struct app_tab_button_paint_strategy : notus::handle_event<notus::impl::ev_paint> {
  template <class View>
  bool on_paint(notus::impl::ev_paint& p, View& v) {
    namespace od = notus::ownerdraw;
    using ops = typename View::display_type::impl_type;
    const glyph_tab_button_model& model = v.model();
    auto dev = od::paint_device(p);
    const notus::gdi::device_rect client = p.client;
    const od::face_device::size_type size = od::size_of(client);
    od::draw_rounded_face(*dev, model.selected ? app_tab_selected_face : app_tab_face, client);
    od::draw_glyph(*dev, model.selected ? model.selected_glyph : model.unselected_glyph,
                   {size.width - 2, size.height - 2}, {client.left, client.top});
    if (ops::has_focus(v.display().handle())) od::draw_focus_ring(*dev, client, 1, 5.0, 2.0);
    return true;
  }
};

using glyph_tab_button_view = notus::view<
    notus::displays::virtual_window<notus::traits>,
    std::tuple<notus::ownerdraw::generate_tabbutton_selection_changed_strategy,
               notus::ownerdraw::tab_button_selection_changed_strategy, app_tab_button_paint_strategy,
               notus::ownerdraw::tab_button_key_strategy, notus::common_key_strategy::UpDownInTabLeftRightInGroup>,
    glyph_tab_button_model>;

}  // namespace application_tab_bar
