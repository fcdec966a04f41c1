// How a session ends other than by the close box, for both programs.  A
// termination signal closes the program as its close box does, from whatever
// loop it is in, and the shutdown saves as usual; a lost display saves the
// session without window work and ends the program with exit code 1.  Both
// reach the close through one function each of the layers below: the
// Win32 layer's EndEveryMessageLoop, and start-up's SaveRunningSession.
#pragma once

namespace host {

// Called first thing in main, before any window exists.
void EndSessionsSoundly();

}  // namespace host
