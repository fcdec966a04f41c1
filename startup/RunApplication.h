// The program's run between the host's entry and its end: start-up (the
// player, the settings, the resources, the application object, the splash,
// the restored or a new puzzle), the main message loop and the shutdown
// that saves the player's options, statistics and the game in progress.
// The host calls it once its main window exists and the paint timer runs,
// with what the program provides.
#pragma once

#include "forms/common/ProgramHost.h"

// Returns 0 once the main loop has taken WM_QUIT and everything is saved
// and released.  What is thrown during start-up leaves it for the host to
// show; an exception that leaves the main loop does too, but only after the
// shutdown saves have run.
// `host` is installed first and stays installed after the run.
int RunApplication(const ProgramHost& host);

// Saves the player's options and statistics, then the game in progress,
// without ending or releasing anything: the shutdown's first step, and
// what a run that cannot go on does when the display went.  Does nothing
// before the player's settings and the game are in place, so a half-started
// run never writes defaults over the player's files, nor once the shutdown
// has written them: the teardown that follows changes nothing worth saving.
void SaveRunningSession();
