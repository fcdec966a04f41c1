#include "tests/app_web/test_http_server.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

namespace web_test {

namespace {

// How long the server waits for a client to finish its request.
constexpr int kRequestWaitMs = 2000;

int ListenOnLoopback(unsigned short& port) {
  const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) throw std::runtime_error("no socket");
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  socklen_t size = sizeof address;
  if (bind(fd, reinterpret_cast<sockaddr*>(&address), size) != 0 || listen(fd, 8) != 0 ||
      getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
    close(fd);
    throw std::runtime_error("cannot listen on 127.0.0.1");
  }
  port = ntohs(address.sin_port);
  return fd;
}

// Reads until the blank line that ends a request, the client's close or
// the wait runs out.
std::string ReadRequest(int client) {
  std::string request;
  char chunk[4096];
  while (request.find("\r\n\r\n") == std::string::npos) {
    pollfd one{client, POLLIN, 0};
    if (poll(&one, 1, kRequestWaitMs) <= 0) break;
    const ssize_t n = recv(client, chunk, sizeof chunk, 0);
    if (n <= 0) break;
    request.append(chunk, static_cast<std::size_t>(n));
  }
  return request;
}

void SendAll(int client, const std::string& bytes) {
  for (std::size_t done = 0; done < bytes.size();) {
    const ssize_t n = send(client, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
    if (n <= 0) return;  // the client gave up
    done += static_cast<std::size_t>(n);
  }
}

}  // namespace

Reply Response(const std::string& statusLine, const std::string& body) {
  return {statusLine + "\r\nContent-Type: application/octet-stream\r\nContent-Length: " + std::to_string(body.size()) +
          "\r\n\r\n" + body};
}

Reply Ok(const std::string& body) { return Response("HTTP/1.0 200 OK", body); }

TestHttpServer::TestHttpServer(std::vector<Reply> replies) : m_replies(std::move(replies)) {
  m_listener = ListenOnLoopback(m_port);
  if (pipe2(m_wake, O_CLOEXEC) != 0) throw std::runtime_error("no pipe");
  m_thread = std::thread([this] { Serve(); });
}

TestHttpServer::~TestHttpServer() {
  const char stop = 's';
  [[maybe_unused]] const ssize_t written = write(m_wake[1], &stop, 1);
  m_thread.join();
  close(m_listener);
  close(m_wake[0]);
  close(m_wake[1]);
}

std::string TestHttpServer::Host() const { return "127.0.0.1:" + std::to_string(m_port); }

std::vector<std::string> TestHttpServer::Requests() const {
  const std::lock_guard<std::mutex> lock(m_mutex);
  return m_requests;
}

void TestHttpServer::Serve() {
  for (std::size_t next = 0;; ++next) {
    pollfd fds[2] = {{m_listener, POLLIN, 0}, {m_wake[0], POLLIN, 0}};
    if (poll(fds, 2, -1) < 0 || (fds[1].revents & POLLIN)) return;
    const int client = accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
    if (client < 0) return;
    ++m_connections;
    Handle(client, next < m_replies.size() ? &m_replies[next] : nullptr);
    close(client);
  }
}

void TestHttpServer::Handle(int client, const Reply* reply) {
  if (reply == nullptr) return;
  std::string request = ReadRequest(client);
  {
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_requests.push_back(std::move(request));
  }
  SendAll(client, reply->bytes);
  if (!reply->stall) return;
  // Until the client closes (its deadline passed) or the test ends.
  for (;;) {
    pollfd fds[2] = {{client, POLLIN, 0}, {m_wake[0], POLLIN, 0}};
    if (poll(fds, 2, -1) < 0 || (fds[1].revents & POLLIN)) return;
    char sink[256];
    if (recv(client, sink, sizeof sink, 0) <= 0) return;
  }
}

unsigned short ClosedPort() {
  unsigned short port = 0;
  close(ListenOnLoopback(port));
  return port;
}

std::string RequestPath(const std::string& request) {
  if (request.rfind("GET ", 0) != 0) return "";
  const std::size_t end = request.find(' ', 4);
  return end == std::string::npos ? "" : request.substr(4, end - 4);
}

}  // namespace web_test
