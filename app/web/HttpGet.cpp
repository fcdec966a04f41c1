#include "app/web/HttpGet.h"

// Boost.Asio of this Boost uses std::exchange without including <utility>.
#include <utility>

#include <boost/asio.hpp>

#include <iostream>
#include <optional>
#include <sstream>
#include <string_view>

namespace {

namespace asio = boost::asio;
using asio::ip::tcp;
using Clock = std::chrono::steady_clock;

struct HostAndPort {
  std::string name;
  std::string port;
};

// "name:port" or "name"; a bracketed IPv6 literal keeps its colons.
HostAndPort SplitHost(const std::string& host) {
  const std::size_t bracket = host.rfind(']');
  const std::size_t colon = host.rfind(':');
  if (colon != std::string::npos && (bracket == std::string::npos || colon > bracket)) {
    std::string name = host.substr(0, colon);
    if (name.size() >= 2 && name.front() == '[' && name.back() == ']') name = name.substr(1, name.size() - 2);
    return {name, host.substr(colon + 1)};
  }
  return {host, "80"};
}

// Runs the asynchronous step that `start` begins until it completes or the
// deadline passes; a late step is cancelled by closing the socket.  The
// error of the step, or timed_out.
class DeadlineRunner {
 public:
  DeadlineRunner(asio::io_context& context, tcp::socket& socket) : context_(context), socket_(socket) {}

  template <class Start>
  boost::system::error_code Run(Clock::time_point deadline, Start start) {
    std::optional<boost::system::error_code> result;
    start([&result](const boost::system::error_code& error, auto&&...) { result = error; });
    context_.restart();
    context_.run_until(deadline);
    if (!result) {
      boost::system::error_code ignored;
      socket_.close(ignored);
      context_.restart();
      context_.run();  // lets the cancelled step finish
      return asio::error::timed_out;
    }
    return *result;
  }

 private:
  asio::io_context& context_;
  tcp::socket& socket_;
};

int Get(const std::string& host, const std::string& path, std::string& body, const HttpLimits& limits) {
  const Clock::time_point start = Clock::now();
  const Clock::time_point end = start + limits.totalTimeout;
  const Clock::time_point connectEnd = std::min(end, start + limits.connectTimeout);

  asio::io_context context;
  tcp::socket socket(context);
  DeadlineRunner runner(context, socket);
  const HostAndPort target = SplitHost(host);

  tcp::resolver resolver(context);
  tcp::resolver::results_type endpoints;
  std::optional<boost::system::error_code> resolved;
  resolver.async_resolve(target.name, target.port,
                         [&](const boost::system::error_code& error, tcp::resolver::results_type results) {
                           resolved = error;
                           endpoints = std::move(results);
                         });
  context.run_until(connectEnd);
  if (!resolved) {
    resolver.cancel();
    context.restart();
    context.run();
    return -1;
  }
  if (*resolved) return -1;

  // The endpoints are tried in order.
  if (runner.Run(connectEnd, [&](auto handler) { asio::async_connect(socket, endpoints, handler); })) return -1;

  const std::string request = HttpRequestText(host, path);
  if (runner.Run(end, [&](auto handler) { asio::async_write(socket, asio::buffer(request), handler); })) return -1;

  asio::streambuf head(limits.maxHeaderBytes);
  if (runner.Run(end, [&](auto handler) { asio::async_read_until(socket, head, "\r\n", handler); })) return -1;

  const std::string_view buffered(asio::buffer_cast<const char*>(head.data()), head.size());
  const std::size_t statusEnd = buffered.find("\r\n");
  std::istringstream statusLine(std::string(buffered.substr(0, statusEnd)));
  std::string version;
  unsigned statusCode = 0;
  statusLine >> version >> statusCode;
  if (!statusLine || version.substr(0, 5) != "HTTP/") {
    std::cout << "Invalid response\n" << std::flush;
    return 1;
  }
  if (statusCode != 200) {
    std::cout << "Response returned with status code " << statusCode << "\n" << std::flush;
    return 1;
  }

  // The headers end at the first empty line, which may be the one right
  // after the status line.  They are dropped.
  if (runner.Run(end, [&](auto handler) { asio::async_read_until(socket, head, "\r\n\r\n", handler); })) return -1;
  {
    const std::string_view all(asio::buffer_cast<const char*>(head.data()), head.size());
    head.consume(all.find("\r\n\r\n", statusEnd) + 4);
  }

  std::string received(asio::buffer_cast<const char*>(head.data()), head.size());
  if (received.size() > limits.maxBodyBytes) return -1;
  char chunk[16 * 1024];
  for (;;) {
    std::size_t got = 0;
    const boost::system::error_code error = runner.Run(end, [&](auto handler) {
      socket.async_read_some(asio::buffer(chunk), [&got, handler](const boost::system::error_code& e, std::size_t n) {
        got = n;
        handler(e);
      });
    });
    received.append(chunk, got);
    if (received.size() > limits.maxBodyBytes) return -1;
    if (error == asio::error::eof) break;
    if (error) return -1;
  }
  body = std::move(received);
  return 0;
}

}  // namespace

std::string HttpRequestText(const std::string& host, const std::string& path) {
  return "GET " + path + " HTTP/1.0\r\nHost: " + host + "\r\nAccept: */*\r\nConnection: close\r\n\r\n";
}

int HttpGet(const std::string& host, const std::string& path, std::string& body, const HttpLimits& limits) {
  body.clear();
  try {
    return Get(host, path, body, limits);
  } catch (...) {
    // std::exception from Asio or the allocator; nothing else is expected,
    // but nothing may leave the worker either.
    body.clear();
    return -1;
  }
}
