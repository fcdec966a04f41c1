// What start-up installs so that the layers below the forms reach the
// application: the game commands' services (the current game, the automatic
// pencil-marks option, the hint display, a new game), the main frame's
// deferred-form builder and tab bar, the widgets' help dialog and the
// dialogs the game commands ask through.  Every function looks the
// application object up when it is called, so all of it is installed once,
// before the application object exists (the frame builds the tab bar as it
// is made), and works for whichever object exists then.
#pragma once

void InstallApplicationServices();
