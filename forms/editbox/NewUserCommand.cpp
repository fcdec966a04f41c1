#include "forms/editbox/NewUserCommand.h"

#include "app/ResourceManager.h"
#include "app/Users.h"
#include "forms/editbox/editbox_dialog.h"

namespace {

constexpr int kPromptString = 401;

}  // namespace

void NewUserCommand::Execute() {
  executed = false;
  failed = false;
  const EditboxAnswer answer = AskForText(name, ResourceManager::GetString(kPromptString));
  name = answer.text;
  if (!answer.accepted || name.empty()) return;
  executed = true;
  data_objects::users users;
  LoadUsers(users);
  failed = !AddUser(users, name) || !SaveUsers(users);
}
