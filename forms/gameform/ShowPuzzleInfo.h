// Shows what the logical solver makes of the current grid, in the puzzle
// information dialog (PuzzleInfoForm.h): whether logic alone solves it, its
// rating, how many cells are filled, and how often each technique was
// needed.  The game form runs it after a new puzzle has been put into the
// game, and the options' game page on request.  It returns when the player
// closes the dialog.
#pragma once

#include <string>
#include <vector>

#include "game/ApplicationCommand.h"

class GameBase;

class ShowPuzzleInfo : public ApplicationCommand {
 public:
  // Nothing happens without an application object or a game.  A missing
  // item of form 18 throws what ResourceManager::GetItemConfig throws,
  // before the dialog loops.
  void Execute() override;
};

// The dialog's lines for a game, in order: whether logic alone solves it
// (string 361, else 362), string 363 and the rating, string 364 and the
// number of filled cells, then for each technique from 2 to 15 that the
// logical solve used, its name (string 100 + id), ": " and the count.
// Techniques 0 and 1 name clashes in the grid, not steps, and are never
// listed.  The game's solver is loaded with its cells and solved on the
// way; its cells do not change.  A string the resources lack reads empty.
std::vector<std::wstring> PuzzleInfoLines(GameBase& game);
