// The players form (layout form 11): the players of this installation in a
// list, with New, Rename, Delete and Select beside it.  Each button runs one
// player command (forms/editbox, forms/dialogs, forms/application), which
// asks through its own dialog and keeps "users.txt" and the players' files;
// the form only keeps its list in step with what the command did, without
// reading the file again, except where the file turned out to differ from
// the list (a Select of a player another form already removed).
//
// ShowUsersFormCommand.h shows the form; Select leaves it for the main menu,
// the form that leads here.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <tuple>

#include "forms/common/ApplyItemConfig.h"
#include "forms/common/FormBase.h"
#include "notus/managers/view_manager.h"
#include "notus/ownerdraw/label.h"
#include "notus/ownerdraw/list_box.h"
#include "notus/ownerdraw/push_button.h"
#include "notus/strategy.h"

namespace UsersForm {

inline constexpr int kForm = 11;
inline constexpr int kNewItem = 1;
inline constexpr int kRenameItem = 2;
inline constexpr int kDeleteItem = 3;
inline constexpr int kSelectItem = 4;
inline constexpr int kListItem = 5;
inline constexpr int kTitleItem = 6;

using ButtonView = notus::ownerdraw::menu_push_button_view;
using PlayerList = notus::ownerdraw::listbox_manager;

struct Model : FormBase {
  // The list goes first and the title last, the reverse of their making.
  ~Model() override {
    players.reset();
    select.reset();
    remove.reset();
    rename.reset();
    add.reset();
    title.reset();
  }

  // The list's model: one name per player, in the order of "users.txt".
  notus::ownerdraw::listbox_model& List() const { return players->list_view->model(); }
  // The selected entry, or -1 when the selection names none.
  std::int32_t SelectedRow() const;

  // Empties the list and fills it from "users.txt", the current player
  // selected; no player gives an empty list.  Announces the change.
  void FillFromFile();
  // Paints the list's rows afresh from its model.
  void Announce() const;

  // The buttons' work, by item; a click without a selection on Rename,
  // Delete or Select does nothing at all.
  void OnNew();
  void OnRename();
  void OnDelete();
  void OnSelect();

  std::shared_ptr<notus::ownerdraw::label_view> title;  // item 6
  std::shared_ptr<ButtonView> add;                      // item 1
  std::shared_ptr<ButtonView> rename;                   // item 2
  std::shared_ptr<ButtonView> remove;                   // item 3
  std::shared_ptr<ButtonView> select;                   // item 4
  std::shared_ptr<PlayerList> players;                  // item 5
};

// The title, the four buttons, then the list over item 5's rectangle,
// filled from "users.txt".  No view takes the focus.  A missing item throws
// what ResourceManager::GetItemConfig throws, and the form is not made.
struct Create {
  template <class Manager, class Parent>
  bool create(Manager& m, Parent& parent) {
    m.title = m.template create_view<notus::ownerdraw::label_view>();
    forms::ApplyItemConfig(kForm, kTitleItem, *m.title);
    m.add = MakeButton(m, kNewItem);
    m.rename = MakeButton(m, kRenameItem);
    m.remove = MakeButton(m, kDeleteItem);
    m.select = MakeButton(m, kSelectItem);

    const ItemConfig list = ResourceManager::GetItemConfig(kForm, kListItem);
    m.players =
        std::make_shared<PlayerList>(notus::rect<notus::traits>{list.left, list.top, list.right, list.bottom}, parent);
    forms::window_ops::set_tab_index(m.players->list_view->display().handle(), list.tabIndex);
    m.FillFromFile();
    return true;
  }

 private:
  template <class Manager>
  static std::shared_ptr<ButtonView> MakeButton(Manager& m, int item) {
    auto button = m.template create_view<ButtonView>();
    forms::ApplyItemConfig(kForm, item, *button);
    return button;
  }
};

// A button's click (second word 0) runs its work by the button's id; the
// list's own events never reach here as clicks.
struct ClickedStrategy : notus::handle_event<notus::impl::ev_click, 0> {
  template <class Manager>
  bool on_click(notus::impl::ev_click& click, Manager& m) {
    switch (click.id) {
      case kNewItem: m.OnNew(); break;
      case kRenameItem: m.OnRename(); break;
      case kDeleteItem: m.OnDelete(); break;
      case kSelectItem: m.OnSelect(); break;
      default: break;
    }
    return true;
  }
};

using Manager = notus::managers::view_manager<Model, std::tuple<Create, ClickedStrategy>>;

}  // namespace UsersForm
