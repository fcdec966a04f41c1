#include "winapi/close_signals.h"

#include <atomic>
#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <unistd.h>

namespace winapi {
namespace {

// Written by the handler, read on the GUI thread.  Lock-free atomics and
// write(2) are what a handler may use.
std::atomic<bool> g_requested{false};
std::atomic<bool> g_taken{false};
int g_pipe[2] = {-1, -1};
static_assert(std::atomic<bool>::is_always_lock_free);

void NoteRequest(int) {
  const int saved = errno;  // the interrupted code may be about to read it
  g_requested.store(true);
  const char byte = 1;
  // A full pipe already wakes the reader; the byte is only a wake-up.
  [[maybe_unused]] const ssize_t written = write(g_pipe[1], &byte, 1);
  errno = saved;
}

bool MakePipe() {
  if (pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
    g_pipe[0] = g_pipe[1] = -1;
    return false;
  }
  return true;
}

}  // namespace

void CloseOnTerminationSignals() {
  if (g_pipe[0] >= 0 || !MakePipe()) {
    return;
  }
  struct sigaction action {};
  action.sa_handler = &NoteRequest;
  sigemptyset(&action.sa_mask);
  // Whatever the GUI thread was waiting in goes on waiting; the pipe wakes
  // the wait that matters.
  action.sa_flags = SA_RESTART;
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
    // Whoever started us ignored it on purpose (`nohup`, a shell's
    // background job): it keeps doing so.
    struct sigaction inherited {};
    if (sigaction(signal, nullptr, &inherited) == 0 && inherited.sa_handler == SIG_IGN) {
      continue;
    }
    sigaction(signal, &action, nullptr);
  }
}

int TerminationSignalWakeFd() { return g_pipe[0]; }

bool TerminationRequested() { return g_requested.load(); }

void DrainTerminationSignalWake() {
  if (g_pipe[0] < 0) {
    return;
  }
  char bytes[64];
  while (read(g_pipe[0], bytes, sizeof bytes) > 0) {
  }
}

}  // namespace winapi

namespace winapi::core {

void TakeTerminationRequest() {
  if (g_requested.load(std::memory_order_relaxed) && !g_taken.exchange(true)) {
    EndEveryMessageLoop(0);
  }
}

void ForgetTerminationRequest() {
  g_requested.store(false);
  g_taken.store(false);
  DrainTerminationSignalWake();
}

}  // namespace winapi::core
