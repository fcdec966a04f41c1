// The platform event: the native message record and the event's kind, a
// variant whose index is the kind number.  The platform layer builds events
// from window messages; widgets build the kinds that have no message.
#pragma once

#include "notus/impl/payloads.h"
#include "notus/traits.h"
#include "ttl/variant.h"

namespace notus::impl {

using event_kind = ttl::var::variant<ev_message, ev_mouse, ev_key, ev_size, ev_reserved, ev_paint, ev_close, ev_command,
                                     ev_click, ev_state, ev_timer, ev_scroll, ev_selection, ev_deferred>;

enum kind_index : int {
  kind_message = 0,
  kind_mouse = 1,
  kind_key = 2,
  kind_size = 3,
  kind_reserved = 4,
  kind_paint = 5,
  kind_close = 6,
  kind_command = 7,
  kind_click = 8,
  kind_state = 9,
  kind_timer = 10,
  kind_scroll = 11,
  kind_selection = 12,
  kind_deferred = 13,
};

template <class Traits>
struct event {
  // Set by a receiver that has dealt with the event for good; rectangles
  // inside a window then leave it alone.
  bool handled = false;
  native_record record{};
  // Empty for a message that makes no event; routing ignores such events.
  event_kind kind;

  event() = default;

  // An event of one kind, raised by a widget (no native message behind it).
  template <class Payload>
  requires requires(Payload p) { event_kind(p); }
  explicit event(const Payload& payload) : kind(payload) {}

  // An event from a window message: the record is copied, then classified.
  explicit event(const typename Traits::native_message& message) {
    record.message = message;
    Traits::classify(*this);
  }
};

}  // namespace notus::impl
