#include "forms/users/UsersForm.h"

#include <algorithm>
#include <cstddef>

#include "app/Users.h"
#include "forms/application/UserSettingsCommands.h"
#include "forms/dialogs/DeleteUserCommand.h"
#include "forms/editbox/EditUserCommand.h"
#include "forms/editbox/NewUserCommand.h"
#include "forms/menu/ShowMenuFormCommand.h"
#include "forms/users/ShowUsersFormCommand.h"
#include "notus/ownerdraw/list_strategies.h"

namespace UsersForm {

namespace {

bool IsStored(const data_objects::users& users, const std::wstring& name) {
  return std::any_of(users.players.begin(), users.players.end(), [&name](const auto& p) { return p->name == name; });
}

// A button paints itself pressed and then released before its dialog takes
// the window: without this the dialog would open over the pressed face.
void PaintNow(const ButtonView& button) { forms::window_ops::update(button.display().handle()); }

}  // namespace

std::int32_t Model::SelectedRow() const {
  const notus::ownerdraw::listbox_model& list = List();
  const std::int32_t row = list.selected;
  return row >= 0 && static_cast<std::size_t>(row) < list.size() ? row : -1;
}

void Model::Announce() const { notus::ownerdraw::list_details::announce(*players->list_view); }

// The current player is found by id rather than by name: a list written
// before names were kept apart may hold one name twice, and only the id
// tells which of them is current.  GetCurrentUserName is not used either,
// because a list without players has no current player, and that is no
// reason for the form to fail.
void Model::FillFromFile() {
  data_objects::users users;
  LoadUsers(users);
  notus::ownerdraw::listbox_model& list = List();
  list.items.clear();
  list.selected = -1;
  list.top = 0;
  for (const auto& player : users.players) {
    list.items.push_back(std::make_shared<std::wstring>(player->name));
    if (player->id == users.currentId) list.set_selected(static_cast<std::int32_t>(list.items.size() - 1));
  }
  Announce();
}

void Model::OnNew() {
  PaintNow(*add);
  NewUserCommand command;
  command.Execute();
  if (!command.executed || command.failed) return;
  List().items.push_back(std::make_shared<std::wstring>(command.name));
  Announce();
}

void Model::OnRename() {
  const std::int32_t row = SelectedRow();
  if (row < 0) return;
  PaintNow(*rename);
  EditUserCommand command(*List().items[static_cast<std::size_t>(row)]);
  command.Execute();
  if (!command.executed || command.failed) return;
  List().items[static_cast<std::size_t>(row)] = std::make_shared<std::wstring>(command.newName);
  Announce();
}

// The list's own update pulls the first row back when the count changes
// (max(0, min(top, n - rows))), so a shorter list still fills its rows from
// the top rather than showing blank ones past the new end.
void Model::OnDelete() {
  const std::int32_t row = SelectedRow();
  if (row < 0) return;
  PaintNow(*remove);
  DeleteUserCommand command(*List().items[static_cast<std::size_t>(row)]);
  command.Execute();
  if (!command.executed || command.failed) return;
  notus::ownerdraw::listbox_model& list = List();
  list.items.erase(list.items.begin() + row);
  list.set_selected(-1);
  Announce();
}

// The list may be older than the file: another player's deletion can have
// made the same name vanish.  Then the list is read again and the form
// stays, rather than leaving for the menu with nobody changed.
void Model::OnSelect() {
  const std::int32_t row = SelectedRow();
  if (row < 0) return;
  const std::wstring name = *List().items[static_cast<std::size_t>(row)];
  data_objects::users users;
  LoadUsers(users);
  if (!IsStored(users, name)) {
    FillFromFile();
    return;
  }
  ChangeUserCommand(name).Execute();
  ShowMenuFormCommand().Execute();
}

}  // namespace UsersForm
