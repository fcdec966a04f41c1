#include "notus/platform/ownerdrawWin32/invalid_rect.h"

#include <algorithm>

namespace notus::impl::details {

namespace {

RECT g_invalid{};

bool is_empty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

}  // namespace

void add_invalid_rect(const RECT& r) {
  if (is_empty(r)) return;
  if (is_empty(g_invalid)) {
    g_invalid = r;
    return;
  }
  g_invalid.left = std::min(g_invalid.left, r.left);
  g_invalid.top = std::min(g_invalid.top, r.top);
  g_invalid.right = std::max(g_invalid.right, r.right);
  g_invalid.bottom = std::max(g_invalid.bottom, r.bottom);
}

RECT invalid_rect() { return g_invalid; }

void clear_invalid_rect() { g_invalid = RECT{}; }

}  // namespace notus::impl::details
