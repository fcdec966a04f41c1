#include "ttl/connection.h"

// Out of line on purpose: once inlined into a caller that drops two
// connections in a row, GCC 12 takes the second count check for a read of
// the holder freed by the first, although the first cannot free it.

namespace ttl::sig::impl {

void connection_holder_base::release() noexcept {
  if (--m_count == 0) {
    disconnect();
    destroy_if_unused();
  }
}

void connection_holder_base::unpin() noexcept {
  --m_pins;
  destroy_if_unused();
}

void connection_holder_base::destroy_if_unused() noexcept {
  if (m_count == 0 && m_pins == 0) delete this;
}

}  // namespace ttl::sig::impl
