// Puts the current player's options and statistics into the application
// state, from that player's settings file, and makes that player the one the
// state holds.  Whatever the state held before
// is dropped unsaved: this is for the moments when the held settings belong
// to no player any more (the player was deleted) or to none yet (start-up).
// A change between two living players saves the old player's first, which is
// the caller's business.
#pragma once

#include "game/ApplicationCommand.h"

class LoadCurrentUserSpecificSettings_Command : public ApplicationCommand {
 public:
  // Reads "users.txt" afresh.  A player without a readable settings file,
  // like a list without players, gives the default options and no
  // statistics; without players none is held.  The options keep naming the
  // language the texts are in.  Without an application object nothing
  // happens.
  void Execute() override;
};
