// A connection is a counted reference to the holder that keeps one slot in a
// signal's list.  The holder lives as long as some connection refers to it or
// an emission that reached it is still running; when the last connection goes
// the slot is cut at once, so a forgotten connection never leaks its holder.
#pragma once

#include <cstdint>
#include <utility>

namespace ttl::sig {

namespace impl {

class connection_holder_base {
 public:
  connection_holder_base() = default;
  connection_holder_base(const connection_holder_base&) = delete;
  connection_holder_base& operator=(const connection_holder_base&) = delete;
  virtual ~connection_holder_base() = default;

  // Removes the slot from its signal; harmless when already removed.
  virtual void disconnect() = 0;
  virtual bool connected() const = 0;

  void add_ref() noexcept { ++m_count; }

  // Drops one connection; the last one cuts the slot.
  void release() noexcept;

  // An emission pins every holder it is about to call, so that a slot that
  // drops the last connection of a later slot (or its own) does not free
  // memory the emission will still read.
  void pin() noexcept { ++m_pins; }

  void unpin() noexcept;

 private:
  void destroy_if_unused() noexcept;

  std::uint32_t m_count = 0;
  std::uint32_t m_pins = 0;
};

}  // namespace impl

class connection {
 public:
  connection() noexcept = default;

  explicit connection(impl::connection_holder_base* holder) noexcept : m_holder(holder) {
    if (m_holder) m_holder->add_ref();
  }

  connection(const connection& other) noexcept : connection(other.m_holder) {}

  connection(connection&& other) noexcept : m_holder(other.m_holder) { other.m_holder = nullptr; }

  connection& operator=(connection other) noexcept {
    std::swap(m_holder, other.m_holder);
    return *this;
  }

  ~connection() {
    if (m_holder) m_holder->release();
  }

  void disconnect() {
    if (m_holder) m_holder->disconnect();
  }

  bool connected() const { return m_holder && m_holder->connected(); }

 private:
  impl::connection_holder_base* m_holder = nullptr;
};

}  // namespace ttl::sig
