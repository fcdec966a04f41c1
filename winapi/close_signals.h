// Closing the program when the system asks: SIGTERM (a logout, a shutdown,
// `kill`), SIGINT (Ctrl+C in a terminal) and SIGHUP (the terminal went).
// Each asks the program to close as its close box does, from whatever loop
// it is in: a dialog's, the progress form's, the splash's wait.  A signal
// that was ignored when the program started (`nohup`, a shell's background
// job) stays ignored.
//
// The handler only notes the request and writes a byte into a pipe, which
// wakes a backend waiting for input; everything else happens on the GUI
// thread, where the message queue finds the note and ends every message
// loop (see EndEveryMessageLoop), so the program's own shutdown saves what
// it holds.  The handlers stay for the rest of the run: a second signal
// while the program is closing does nothing more.
#pragma once

namespace winapi {

// Installs the handlers.  A program calls it once, early in main.
void CloseOnTerminationSignals();

// The read end of the pipe a signal writes into, or -1 while no handlers
// are installed.  A backend that blocks waiting for input wakes when it
// becomes readable and empties it with DrainTerminationSignalWake; whether
// a request is pending is kept apart from the pipe's bytes.
int TerminationSignalWakeFd();
void DrainTerminationSignalWake();

// Whether a signal has asked the program to close.  A wait that no message
// loop runs (another program the layer waits for) watches it.
bool TerminationRequested();

// From now on every message loop takes WM_QUIT (with `exitCode`) whenever it
// asks for a message: the innermost loop ends, and so does each loop around
// it, up to the program's main loop.  PostQuitMessage ends only the loop that
// takes it.  ResetState forgets it.
void EndEveryMessageLoop(int exitCode);

}  // namespace winapi

namespace winapi::core {

// Called on the GUI thread as the queue is asked for a message: a pending
// termination request becomes EndEveryMessageLoop(0), once per run.
void TakeTerminationRequest();

// Forgets a termination request, taken or not, and empties the pipe: for
// tests that go on after one (ResetState calls it).
void ForgetTerminationRequest();

}  // namespace winapi::core
