// The main menu (layout form 2): the current player's name in a boxed title
// over eight menu buttons, each of which runs one command: the players form,
// puzzle selection, puzzle building, opening and saving a puzzle file, help,
// about and exit.  ShowMenuFormCommand.h switches to it; the Menu tab and the
// players form's Select lead there.
//
// The forms the buttons open live beside this one and know nothing of it;
// the menu names their show commands directly.
#pragma once

#include <array>
#include <iterator>
#include <memory>
#include <string>
#include <tuple>

#include "forms/common/ApplyItemConfig.h"
#include "forms/common/FormBase.h"
#include "notus/managers/view_manager.h"
#include "notus/ownerdraw/frames.h"
#include "notus/ownerdraw/push_button.h"
#include "notus/strategy.h"

namespace mainform {

inline constexpr int kForm = 2;
inline constexpr int kTitleItem = 1;
inline constexpr int kPlayersItem = 2;
inline constexpr int kSelectPuzzleItem = 3;
inline constexpr int kBuildPuzzleItem = 4;
inline constexpr int kHelpItem = 5;
inline constexpr int kAboutItem = 6;
// Item 7 has no view and no command.
inline constexpr int kExitItem = 8;
inline constexpr int kOpenItem = 9;
inline constexpr int kSaveAsItem = 10;

using ButtonView = notus::ownerdraw::menu_push_button_view;

// The title's text: the current player's name from a fresh read of
// "users.txt", or `fallback` while the file names no player (the form must
// still open, to let the player add one).
std::wstring TitleText(const std::wstring& fallback);

// The buttons in the order they are made and placed: the order of the menu
// from top to bottom.
inline constexpr int kButtonItems[] = {kPlayersItem, kSelectPuzzleItem, kBuildPuzzleItem, kOpenItem,
                                       kSaveAsItem,  kHelpItem,         kAboutItem,       kExitItem};

struct Model : FormBase {
  // The buttons go from the last made to the first, then the title.
  ~Model() override {
    for (auto it = buttons.rbegin(); it != buttons.rend(); ++it) it->reset();
    title.reset();
  }

  std::shared_ptr<notus::ownerdraw::boxed_text_view> title;
  std::array<std::shared_ptr<ButtonView>, std::size(kButtonItems)> buttons;
};

// The title, then the buttons, each placed, captioned and numbered by its
// item.  No view gets the focus.  A missing item throws what
// ResourceManager::GetItemConfig throws, and the form is not made.
struct CreateStrategy {
  template <class Manager, class Parent>
  bool create(Manager& m, Parent&) {
    m.title = m.template create_view<notus::ownerdraw::boxed_text_view>();
    forms::ApplyItemConfig(kForm, kTitleItem, *m.title);
    m.title->model().text = TitleText(m.title->model().text);
    for (std::size_t i = 0; i < std::size(kButtonItems); ++i) {
      m.buttons[i] = m.template create_view<ButtonView>();
      forms::ApplyItemConfig(kForm, kButtonItems[i], *m.buttons[i]);
    }
    return true;
  }
};

// A button's click runs the command of its id; any other id does nothing.
struct ClickedStrategy : notus::handle_event<notus::impl::ev_click> {
  template <class Manager>
  bool on_click(notus::impl::ev_click& c, Manager&) {
    RunCommandOf(static_cast<int>(c.id));
    return true;
  }
  static void RunCommandOf(int item);
};

using Manager = notus::managers::view_manager<Model, std::tuple<CreateStrategy, ClickedStrategy>>;

}  // namespace mainform
