// The layer's invariant checks.  A broken invariant here means memory would
// be addressed wrongly (a cache key that collides, drawing without a target),
// so the program stops with the expression, the source and the line rather
// than carry on.
#pragma once

namespace notus::impl::details {

[[noreturn]] void platform_assertion_failed(const char* expression, const char* source, int line);

inline void platform_assert(bool holds, const char* expression, const char* source, int line) {
  if (!holds) platform_assertion_failed(expression, source, line);
}

}  // namespace notus::impl::details
