// An HTTP server for the web tests, on 127.0.0.1 with a port the system
// picks: each connection gets the next scripted reply, sent as raw bytes, so
// a test can serve what no real server would (a stalled body, a status line
// that never ends).  It records the request bytes of every connection.  No
// test of ours talks to any other address.
#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace web_test {

struct Reply {
  std::string bytes;   // sent as they stand after the request has been read
  bool stall = false;  // then the connection stays open until the client leaves or the server stops
};

// The bytes of a reply with the given status line and body.
Reply Response(const std::string& statusLine, const std::string& body);
Reply Ok(const std::string& body);

class TestHttpServer {
 public:
  // One reply per connection, in order; a connection beyond them is closed
  // at once.
  explicit TestHttpServer(std::vector<Reply> replies);
  ~TestHttpServer();
  TestHttpServer(const TestHttpServer&) = delete;
  TestHttpServer& operator=(const TestHttpServer&) = delete;

  // "127.0.0.1:<port>", as TAVLIN_WEB_HOST gives it.
  std::string Host() const;
  // The request bytes of every connection so far, in order.
  std::vector<std::string> Requests() const;
  // Connections accepted so far.
  std::size_t Connections() const { return m_connections; }

 private:
  void Serve();
  void Handle(int client, const Reply* reply);

  int m_listener = -1;
  int m_wake[2] = {-1, -1};
  unsigned short m_port = 0;
  std::vector<Reply> m_replies;
  std::atomic<std::size_t> m_connections{0};
  mutable std::mutex m_mutex;
  std::vector<std::string> m_requests;
  std::thread m_thread;
};

// A port on 127.0.0.1 that nothing listens on.
unsigned short ClosedPort();

// The GET line's path of a recorded request ("" when there is none).
std::string RequestPath(const std::string& request);

// Polls `done` every few milliseconds for up to `limit`; its last answer.
template <class Predicate>
bool WaitFor(Predicate done, std::chrono::milliseconds limit = std::chrono::seconds(10)) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return done();
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}

}  // namespace web_test
