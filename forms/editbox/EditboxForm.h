// Form 20 of the resource file: a title box, one native text-entry control
// and the OK and Cancel buttons.  editbox_dialog.h shows it modally; this
// unit holds its model, the view of the entry and the strategies of its view
// manager.
//
// The entry is a window object that owns the layer's EDIT control, so typing,
// the caret and the control's pixels are the control's own; the form reads
// its text only when a button ends the dialog.  Keys reach the entry's view
// after the control has handled them: Tab and Up leave it for the buttons,
// Down goes the other way round, and Return does nothing there; it accepts
// only once OK has the focus, as on every push button.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <tuple>

#include "app/ResourceManager.h"
#include "forms/common/ApplyItemConfig.h"
#include "forms/common/FormBase.h"
#include "notus/displays/virtual_window.h"
#include "notus/impl/payloads.h"
#include "notus/key_codes.h"
#include "notus/managers/view_manager.h"
#include "notus/ownerdraw/box_label.h"
#include "notus/ownerdraw/push_button.h"
#include "notus/platform/ownerdrawWin32/app.h"
#include "notus/strategy.h"
#include "notus/view.h"

namespace EditboxForm {

inline constexpr int kForm = 20;
inline constexpr int kTitleItem = 1;
inline constexpr int kOkItem = 2;
inline constexpr int kCancelItem = 3;
inline constexpr int kEntryItem = 4;

// The longest text the dialog answers, counted in UTF-16 units as the
// player file counts a name's length.
inline constexpr std::size_t kMaxTextUnits = 30;

// The longest head of text that fits in maxUnits UTF-16 units.  A character
// beyond the BMP takes two units and is kept whole or not at all, so the
// head converts back and forth like any other text.
std::wstring CutToUtf16Units(const std::wstring& text, std::size_t maxUnits);

// The key strategy of the entry.  The view has already raised the key to its
// listeners; only presses move the focus, so the release of the same key
// reaches whichever window has it then.
struct UpDownInTab : notus::handle_key_down {
  template <class View>
  bool on_key(notus::impl::ev_key& k, View& v) {
    using ops = typename View::display_type::impl_type;
    const auto& h = v.display().handle();
    if (k.code == notus::key_codes::tab || k.code == notus::key_codes::up)
      ops::focus_next_tab(h);
    else if (k.code == notus::key_codes::down)
      ops::focus_prev_tab(h);
    return true;
  }
};

using entry_view =
    notus::view<notus::displays::virtual_window_editbox<notus::traits>, std::tuple<UpDownInTab>, std::wstring>;

struct Model : FormBase {
  std::shared_ptr<notus::ownerdraw::box_label_view> title;     // item 1
  std::shared_ptr<entry_view> entry;                           // item 4
  std::shared_ptr<notus::ownerdraw::push_button_view> ok;      // item 2
  std::shared_ptr<notus::ownerdraw::push_button_view> cancel;  // item 3
  // What the entry held when a button was clicked, cut to kMaxTextUnits.
  std::wstring text;
  bool accepted = false;
};

// Makes the views, places them by the layout of form 20 and gives the entry
// the focus.  The entry takes only its item's rectangle: its text comes from
// the dialog, and its place in the tab order (group 0, before the buttons'
// group) is the window's own.  Throws what ResourceManager::GetItemConfig
// throws for a missing item.
struct Create {
  template <class Manager, class... Parent>
  bool create(Manager& m, Parent&...) {
    using notus::ownerdraw::box_label_view;
    using notus::ownerdraw::push_button_view;
    m.ok = m.template create_view<push_button_view>();
    m.cancel = m.template create_view<push_button_view>();
    m.title = m.template create_view<box_label_view>();
    m.entry = m.template create_view<entry_view>();
    forms::ApplyItemConfig(kForm, kTitleItem, *m.title);
    forms::ApplyItemConfig(kForm, kOkItem, *m.ok);
    forms::ApplyItemConfig(kForm, kCancelItem, *m.cancel);
    forms::ApplyItemRect(ResourceManager::GetItemConfig(kForm, kEntryItem), *m.entry);
    forms::window_ops::set_focus(m.entry->display().handle());
    return true;
  }
};

// Either button ends the dialog with the entry's text; only OK accepts it.
struct ButtonClickedStrategy : notus::handle_event<notus::impl::ev_click, 0> {
  template <class Manager>
  bool on_click(notus::impl::ev_click& c, Manager& m) {
    m.text = CutToUtf16Units(forms::window_ops::get_text(m.entry->display().handle()), kMaxTextUnits);
    notus::impl::details::app::quit();
    if (c.id == kOkItem) m.accepted = true;
    return true;
  }
};

using Manager = notus::managers::view_manager<Model, std::tuple<Create, ButtonClickedStrategy>>;

}  // namespace EditboxForm
