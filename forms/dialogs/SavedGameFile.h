// The game in progress as it is kept across runs: "current_game.xml" in the
// settings folder, written from the application's game.  Shutdown and a
// counted solve both write it through here, so the game on disk is the
// solved one from the moment the solve is in the player's statistics.
#pragma once

#include <string>

// Where the game in progress is kept.
std::wstring SavedGameFileName();

// Writes the application's game; a file that cannot be written is left as
// it was, without a message.  Nothing happens without an application or a
// game, or while the application still holds the stand-in it was made
// with: the file keeps the player's last game rather than a blank grid.
void SaveApplicationGame();
