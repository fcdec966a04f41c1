// The end of the application object, after the main loop and the save of
// the player's options: the game in progress is written while the object
// still holds it, then the object goes, and with it everything the run kept
// in memory (cached paths, the forms' session records, the loaded resources
// and language list, the undo history, the pending form command).
#pragma once

#include <memory>

class Application;

// The form goes first, so no form is left showing a game being saved.
// Nothing happens to a null application; the caches are cleared all the
// same.
void ShutdownApplication(std::unique_ptr<Application> application);
