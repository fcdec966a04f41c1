// The chooser that RunZenity (zenity.h) waits for, ended from the program's
// ways out that never return to that wait.  Apart from zenity.h, without the
// layer's Windows types, for the X code, whose own types clash with them.
#pragma once

namespace winapi::sdl {

// Ends the zenity that RunZenity waits for, if one is up, as a termination
// request does, and reaps it: for the program's ways out that never return
// to RunZenity (a window destroyed from outside, a lost display), which
// would otherwise leave the chooser on the screen with nobody to answer.
// Makes only calls that a signal handler may make.
void EndRunningChooser();

// Ends a chooser that is up (EndRunningChooser), then the program, at once,
// with a failure status: every way out that skips the program's shutdown
// ends here, so none leaves the chooser behind.
[[noreturn]] void ExitEndingTheChooser();

}  // namespace winapi::sdl
