// The end of the application object, after the main loop and after the
// player's options and the game in progress are written: the object goes,
// and with it everything the run kept in memory (cached paths, the forms'
// session records, the loaded resources and language list, the undo
// history, the pending form command).  Its forms may touch the display as
// they go (the handheld's game form gives the screen saver back), so
// nothing is written here: a display lost meanwhile finds the work saved.
#pragma once

#include <memory>

class Application;

// The form goes first, then the application.  Nothing happens to a null
// application; the caches are cleared all the same.
void ShutdownApplication(std::unique_ptr<Application> application);
