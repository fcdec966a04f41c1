#pragma once
// A watchdog for tests that hand a FIFO to a file reader.  A reader that
// opens a FIFO without O_NONBLOCK waits for a writer for ever, and one that
// reads it waits for bytes: such a regression must fail the test, not hang
// the whole run.

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <future>
#include <string>

// True when the call returns within the limit.  When it does not, the FIFO's
// write end is opened and closed until the call returns (the opening frees
// an open that waits for a writer, the closing gives a waiting read its end
// of file), so that the caller can report the failure and go on.
inline bool ReturnsAtOnceOnFifo(const std::string& fifo, const std::function<void()>& call,
                                std::chrono::milliseconds limit = std::chrono::seconds(5)) {
  std::future<void> done = std::async(std::launch::async, call);
  if (done.wait_for(limit) == std::future_status::ready) {
    done.get();
    return true;
  }
  while (done.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready) {
    const int writer = open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
    if (writer >= 0) close(writer);
  }
  done.get();
  return false;
}
