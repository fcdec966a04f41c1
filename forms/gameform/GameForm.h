// The game form (layout form 16), the screen on which a puzzle is played.
// It owns little: the Hint step, Hint, Undo and Redo glyph buttons (items 1
// to 4) and an invisible key listener that turns Control+Z into undo and
// Control+Shift+Z into redo.  The grid, the keypads and the clock belong to
// the current game, which places and shows them itself (forms/gameobject); the
// hint view, its tool tip and the help button belong to the application.
// ShowGameFormCommand.h switches to the form.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <tuple>

#include "forms/common/ApplyItemConfig.h"
#include "forms/common/FormBase.h"
#include "forms/gameform/SuspendKillerCommand.h"
#include "notus/displays/virtual_window.h"
#include "notus/key_codes.h"
#include "notus/managers/view_manager.h"
#include "notus/ownerdraw/glyph_button.h"
#include "notus/strategy.h"
#include "notus/view.h"

namespace GameForm {

inline constexpr int kForm = 16;
inline constexpr int kHintStepItem = 1;
inline constexpr int kHintItem = 2;
inline constexpr int kUndoItem = 3;
inline constexpr int kRedoItem = 4;

// Normal, pressed and disabled glyph of each button.  Hint shares its three
// with the application's help button: both stand for "explain".
struct ButtonGlyphs {
  std::uint32_t normal;
  std::uint32_t pressed;
  std::uint32_t disabled;
};
inline constexpr ButtonGlyphs kHintStepGlyphs{106, 107, 108};
inline constexpr ButtonGlyphs kHintGlyphs{109, 110, 111};
inline constexpr ButtonGlyphs kUndoGlyphs{112, 113, 114};
inline constexpr ButtonGlyphs kRedoGlyphs{115, 116, 117};

// The key listener's handler.  It keeps its own Shift and Control flags from
// the key events it sees, but those miss a release that happens while a
// dialog has the input (the solved report opens on the last entry, typed
// with Control still held, and Control goes up in the dialog): the flags
// then stay set, and a later plain Z would undo.  So a modifier counts only
// while the platform also has it down; a stale flag is dropped at the next
// key press.  Only 'Z' (virtual key 90) is a shortcut: letters arrive as upper
// case virtual keys, and 122 would be F11.
struct game_shortcuts_strategy : notus::handle_event<notus::impl::ev_key> {
  static constexpr notus::impl::word kZ = 90;

  template <class View>
  bool on_key(notus::impl::ev_key& k, View&) {
    (*this)(k);
    return true;
  }
  void operator()(const notus::impl::ev_key& k);

  bool shiftHeld = false;
  bool controlHeld = false;
};

using ButtonView = notus::ownerdraw::glyph_button_view;
// A listener window (kind 6) of no size: it paints nothing and takes no
// focus, but sees every key of the form's controller, whichever window has
// the focus.  Its model string is not used.
using ShortcutsView =
    notus::view<notus::displays::virtual_window_hint<notus::traits>, std::tuple<game_shortcuts_strategy>, std::wstring>;

// Members go from the last to the first: shortcuts, Redo, Undo, Hint, Hint
// step; the device may suspend again before they do.
struct Model : FormBase {
  Model() { SuspendKillerCommand(true).Execute(); }
  ~Model() override { SuspendKillerCommand(false).Execute(); }

  std::shared_ptr<ButtonView> hintStep;  // item 1
  std::shared_ptr<ButtonView> hint;      // item 2
  std::shared_ptr<ButtonView> undo;      // item 3
  std::shared_ptr<ButtonView> redo;      // item 4
  std::shared_ptr<ShortcutsView> shortcuts;
};

// Makes the buttons in item order, each placed, captioned, numbered and put
// in the tab order by its item, then the shortcuts listener.  A missing item
// throws what ResourceManager::GetItemConfig throws, and the form is not
// made.
struct Create {
  template <class Manager, class Parent>
  bool create(Manager& m, Parent&) {
    m.hintStep = MakeButton(m, kHintStepItem, kHintStepGlyphs);
    m.hint = MakeButton(m, kHintItem, kHintGlyphs);
    m.undo = MakeButton(m, kUndoItem, kUndoGlyphs);
    m.redo = MakeButton(m, kRedoItem, kRedoGlyphs);
    m.shortcuts = m.template create_view<ShortcutsView>();
    // Hidden listeners hear nothing.
    forms::window_ops::show(m.shortcuts->display().handle());
    return true;
  }

 private:
  template <class Manager>
  static std::shared_ptr<ButtonView> MakeButton(Manager& m, int item, ButtonGlyphs glyphs) {
    auto button = m.template create_view<ButtonView>();
    forms::ApplyItemConfig(kForm, item, *button);
    auto& model = button->model();
    model.glyph_id1 = glyphs.normal;
    model.glyph_id2 = glyphs.pressed;
    model.glyph_id3 = glyphs.disabled;
    return button;
  }
};

// A button's click (second word 0) runs its command by the button's id; the
// form has no other clickable view.
struct Clicked : notus::handle_event<notus::impl::ev_click> {
  template <class Manager>
  bool on_click(notus::impl::ev_click& c, Manager&) {
    (*this)(c);
    return true;
  }
  void operator()(const notus::impl::ev_click& c) const;
};

using Manager = notus::managers::view_manager<Model, std::tuple<Create, Clicked>>;

}  // namespace GameForm
