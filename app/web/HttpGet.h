// The one HTTP request the program makes: a plain GET over HTTP/1.0 to the
// maker's server, whose body is kept in memory.  The web worker calls it
// twice per start (statistics report, logo), on its own thread.
//
// Deadlines and the body cap are arguments, not constants: the worker gives
// the production values, a test gives a stalled server a few milliseconds.
// The request is synchronous for its caller; inside, every step runs against
// a deadline, since a blocking socket read would wait for a silent server
// for ever.  The one step no deadline can cut short is the system's name
// look-up: past the connect deadline the request fails, but the call returns
// only when the resolver gives up.  A numeric address has no look-up.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>

struct HttpLimits {
  std::chrono::milliseconds connectTimeout{5000};  // name look-up and connecting
  std::chrono::milliseconds totalTimeout{15000};   // the whole request, connecting included
  std::size_t maxHeaderBytes = 8 * 1024;           // status line and headers
  std::size_t maxBodyBytes = 4 * 1024;
};

// GETs `path` from `host` ("name" or "name:port", port 80 by default; the
// Host header carries it as given) and stores the body in `body`.
// 0: status 200, `body` holds everything after the headers up to the close.
// 1: the status line is not HTTP ("Invalid response\n" on stdout) or the
//    status is not 200 ("Response returned with status code <n>\n"); a
//    redirect is not followed.
// -1: no connection, a deadline passed, a cap was exceeded, the server closed
//    before the headers ended, or anything else went wrong.
// Never throws.  `body` is empty unless the result is 0.
int HttpGet(const std::string& host, const std::string& path, std::string& body, const HttpLimits& limits);

// The request bytes sent for `path` to `host`.
std::string HttpRequestText(const std::string& host, const std::string& path);
