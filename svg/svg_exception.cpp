#include "svg/svg_exception.h"

#include <cstdarg>
#include <cstdio>

namespace agg::svg {

exception::exception(const char* format, ...) {
  if (format == nullptr) return;
  char buffer[4096];
  va_list args;
  va_start(args, format);
  std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  // Built from the C string on purpose: a "%c" of NUL ends the message there.
  m_msg = buffer;
}

}  // namespace agg::svg
