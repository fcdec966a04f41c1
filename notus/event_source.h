// The base of everything that raises events (displays, views, model
// controllers): one signal over the event type E, which may be a reference.
// Destroying the source disconnects whatever still listens to it.
#pragma once

#include <utility>

#include "notus/shared_connection.h"
#include "ttl/function.h"
#include "ttl/signal.h"

namespace notus {

template <class E>
class event_source {
 public:
  using event_type = E;
  using signal_type = ttl::sig::signal1<void, E>;
  using slot_type = ttl::func::function1<void, E>;

  event_source() = default;
  event_source(const event_source&) = delete;
  event_source& operator=(const event_source&) = delete;
  virtual ~event_source() = default;

  // Calls the listeners in the order they connected.
  void raise(E event) { m_signal(std::forward<E>(event)); }

  ttl::sig::connection connect(slot_type slot) { return m_signal.connect(std::move(slot)); }

  signal_type& signal() { return m_signal; }

 private:
  signal_type m_signal;
};

template <class E>
shared_connection<> make_shared_connection(event_source<E>& source, typename event_source<E>::slot_type slot) {
  return make_shared_connection(source.signal(), std::move(slot));
}

}  // namespace notus
