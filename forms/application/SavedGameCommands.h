// The game in progress across runs: written to "current_game.xml" in the
// settings folder at shutdown (and by a counted solve, forms/dialogs/
// SavedGameFile.h) and read back at start-up.  The document and
// the routines that read and write the cells are the game's (game/SavedGame.h,
// through GameBase::SaveToXML and LoadFromXML); these commands pick the file
// and, on reading, first make a game of the saved size and level.
#pragma once

#include "forms/dialogs/SavedGameFile.h"
#include "game/ApplicationCommand.h"

class SerializeGameXMLCommand : public ApplicationCommand {
 public:
  // SaveApplicationGame: the current game, unless the application holds
  // none or only its stand-in.
  void Execute() override;
};

class DeserializeGameXMLCommand : public ApplicationCommand {
 public:
  explicit DeserializeGameXMLCommand(bool loaded = false) : loaded(loaded) {}

  // Reads the root of the saved document: a file that cannot be read or
  // parsed, a root without "size" or with a size other than 2, 3 or 4 is
  // refused (the reasons are thrown as texts and caught here), and then the
  // current game stays as it was.  Otherwise the current game becomes a new
  // one of that size and of the saved level (0 to 4 as saved, any other
  // number 5, as the cells' reader takes it; 1 when there is none), the
  // cells are read into it and its highlights, keypads and views brought up
  // to date.  loaded tells which happened.
  void Execute() override;

  bool loaded;
};
