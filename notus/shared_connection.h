// A connection whose life is tied to its owners: copies share one manager, and
// when the last copy goes the slot is cut (and its holder freed once nothing
// refers to it).  Listeners keep their shared connections as members, so
// destroying a listener always cuts what it listened to; the signal may also
// die first, which only disconnects.
#pragma once

#include <memory>
#include <utility>

#include "ttl/connection.h"
#include "ttl/signal.h"

namespace notus {

template <class Connection = ttl::sig::connection>
class shared_connection {
 public:
  class connection_manager {
   public:
    explicit connection_manager(Connection connection) : m_connection(std::move(connection)) {}
    connection_manager(const connection_manager&) = delete;
    connection_manager& operator=(const connection_manager&) = delete;

    // Cut the slot even when someone else still holds a plain connection
    // to it; the holder itself goes with its last reference.
    ~connection_manager() { m_connection.disconnect(); }

    bool connected() const { return m_connection.connected(); }

   private:
    Connection m_connection;
  };

  shared_connection() noexcept = default;

  explicit shared_connection(Connection connection)
      : m_manager(std::make_shared<connection_manager>(std::move(connection))) {}

  // Drops this copy's share; the last share cuts the slot.
  void reset() noexcept { m_manager.reset(); }

  bool connected() const { return m_manager && m_manager->connected(); }

 private:
  std::shared_ptr<connection_manager> m_manager;
};

template <class A>
shared_connection<> make_shared_connection(ttl::sig::signal1<void, A>& signal, ttl::func::function1<void, A> slot) {
  return shared_connection<>(signal.connect(std::move(slot)));
}

}  // namespace notus
