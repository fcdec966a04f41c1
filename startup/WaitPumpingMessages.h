// Waiting out the splash while the window stays responsive: start-up calls
// this after its own work, for the seconds the splash still has to stay up.
// Only the message layer and the window controllers are involved, so it does
// not depend on anything of the game.
#pragma once

// Handles the messages that come for `seconds` whole seconds of the tick
// count (a wait of 1 second ends at the next second boundary, which may come
// at once) and sleeps in between.  A fresh window controller is current
// meanwhile, so no form's windows take input; the previous one is current
// again afterwards, also when an exception leaves.  A WM_QUIT (the window
// was closed) ends the wait early and is posted again, so that the main loop
// ends the program.
void WaitPumpingMessages(unsigned seconds);
