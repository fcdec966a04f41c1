#include "notus/platform/ownerdrawWin32/platform_assert.h"

#include <cstdio>
#include <cstdlib>

namespace notus::impl::details {

void platform_assertion_failed(const char* expression, const char* source, int line) {
  std::fprintf(stderr, "Assertion failed: %s, file %s, line %d\n", expression, source, line);
  std::fflush(stderr);
  std::abort();
}

}  // namespace notus::impl::details
