#include "forms/menu/MainForm.h"

#include "app/Users.h"
#include "forms/about/ShowAboutFormCommand.h"
#include "forms/about/ShowHelpFormCommand.h"
#include "forms/application/CloseGUICommand.h"
#include "forms/buildpuzzle/ShowBuildPuzzleFormCommand.h"
#include "forms/commands/OpenFileCommand.h"
#include "forms/commands/SaveAsCommand.h"
#include "forms/selectpuzzle/ShowPuzzleSelectedFormCommand.h"
#include "forms/users/ShowUsersFormCommand.h"

namespace mainform {

std::wstring TitleText(const std::wstring& fallback) {
  data_objects::users users;
  LoadUsers(users);
  // Once loaded, the current id names a player whenever there is one.
  if (users.players.empty()) return fallback;
  return GetCurrentUserName(users);
}

void ClickedStrategy::RunCommandOf(int item) {
  switch (item) {
    case kPlayersItem: ShowUsersFormCommand().Execute(); break;
    case kSelectPuzzleItem: ShowPuzzleSelectedFormCommand().Execute(); break;
    case kBuildPuzzleItem: ShowBuildPuzzleFormCommand().Execute(); break;
    case kHelpItem: ShowHelpFormCommand().Execute(); break;
    case kAboutItem: ShowAboutFormCommand().Execute(); break;
    case kExitItem: CloseGUICommand().Execute(); break;
    case kOpenItem: OpenFileCommand().Execute(); break;
    case kSaveAsItem: SaveAsCommand().Execute(); break;
    default: break;
  }
}

}  // namespace mainform
