// Writes the options and statistics the application holds into the settings
// files of the player they belong to (Application::player).  Shutdown, a
// change of player, a counted solve and a changed option all save through
// here, so a crash or a kill loses no solve and no option; each write
// replaces the file atomically.
#pragma once

// Keeps the player's data file as stored, and the stored language while the
// texts could not be loaded in it.  Without an application or a held player
// there is nobody to save for: nothing is written, and false returned, as
// when the settings file could not be written.
bool SaveHeldPlayerSettings();
