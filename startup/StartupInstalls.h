// What start-up hands the lower layers before the application object
// exists: the application's services (game commands, deferred forms, tab
// bar, help dialog, dialogs) and the clock's time format.  The lower layers
// cannot name the forms above them, so they call what is installed here.  The native controls' window procedure is not
// among them: it is the host's, set by its entry.
#pragma once

// Installs everything, replacing what was there; running it again is
// harmless.
void InstallStartupServices();
