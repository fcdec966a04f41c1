#pragma once

#include <string>

namespace agg::svg {

// The one error type of the SVG reader and renderer.  It deliberately does not
// derive from std::exception: callers that draw our own shipped art let it
// reach the top-level handler, and only the splash catches it for the
// downloaded logo.
class exception {
 public:
  // printf-style; the message is cut at 4095 characters.  A null format
  // leaves the message empty.
  explicit exception(const char* format, ...)
#if defined(__GNUC__)
      __attribute__((format(printf, 2, 3)))
#endif
      ;

  const char* msg() const { return m_msg.c_str(); }

 private:
  std::string m_msg;
};

}  // namespace agg::svg
