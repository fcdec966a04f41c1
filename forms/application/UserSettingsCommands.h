// The moves of the player's options and statistics between the application
// object and the player's settings file: the save at shutdown and before
// another player takes over, and the change of player.  The load of the
// current player's settings, which start-up and the deletion of a player
// share, is LoadCurrentUserSpecificSettings_Command (forms/dialogs).
#pragma once

#include <string>
#include <utility>

#include "game/ApplicationCommand.h"

class SaveGameOptionsToCurrentUserCommand : public ApplicationCommand {
 public:
  // Writes the application's options and statistics into the settings file
  // of the player they belong to (SaveHeldPlayerSettings), whoever
  // "users.txt" names as current now, keeping the player's data file as
  // stored.  With no player held (or no application) there is nobody to
  // save for, and nothing is written.
  void Execute() override;
};

class ChangeUserCommand : public ApplicationCommand {
 public:
  explicit ChangeUserCommand(std::wstring name) : name(std::move(name)) {}

  // Saves the held player's options and statistics, makes the named player
  // current in "users.txt" and puts that player's options and statistics
  // (the defaults, without a settings file) into the application.  A stored
  // language other than the one on screen is loaded behind the wait form;
  // when it cannot be, the texts stay and the stored language is kept for
  // the player's saves.  The game in progress goes on as it is.  A name that
  // no player has (any more) changes nothing but the save.
  void Execute() override;

  std::wstring name;
};
