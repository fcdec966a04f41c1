// Signals with one argument.  A signal keeps a list of the holders of its
// slots, in connection order; it does not own them (their connections do).
//
// Emission calls the slots connected when it starts, in order, and tolerates
// what event handlers do: emitting the same signal again from inside a slot,
// connecting new slots (called from the next emission on), and cutting any
// slot, including the running one, which is then skipped and never touched
// after it is freed.
#pragma once

#include <list>
#include <new>
#include <utility>
#include <vector>

#include "ttl/connection.h"
#include "ttl/exception.h"
#include "ttl/function.h"

namespace ttl::sig {

namespace impl {

template <class F>
class connection_holder final : public connection_holder_base {
 public:
  using slot_list = std::list<connection_holder*>;

  connection_holder(slot_list& slots, const F& function) : m_slots(&slots), m_function(function) {
    // Linked last, once everything that can throw has been built.
    m_position = m_slots->insert(m_slots->end(), this);
    m_connected = true;
  }

  ~connection_holder() override { disconnect(); }

  void disconnect() override {
    if (m_connected) {
      m_slots->erase(m_position);
      m_connected = false;
    }
  }

  bool connected() const override { return m_connected; }

  const F& function() const { return m_function; }

 private:
  slot_list* m_slots;
  typename slot_list::iterator m_position;
  F m_function;
  bool m_connected = false;
};

template <class F>
class signal_base {
 public:
  using holder_type = connection_holder<F>;

  signal_base() = default;
  signal_base(const signal_base&) = delete;
  signal_base& operator=(const signal_base&) = delete;

  // Holders outlive the signal, unlinked, until their connections go.
  virtual ~signal_base() {
    while (!m_slots.empty()) m_slots.front()->disconnect();
  }

  bool empty() const { return m_slots.empty(); }
  std::size_t size() const { return m_slots.size(); }

 protected:
  connection connect_function(const F& function) {
    holder_type* holder = nullptr;
    try {
      holder = new holder_type(m_slots, function);
    } catch (const std::bad_alloc&) {
      throw exception();
    }
    return connection(holder);
  }

  template <class Call>
  void emit(Call&& call) {
    if (m_slots.empty()) return;
    std::vector<holder_type*> pinned;
    pinned.reserve(m_slots.size());
    for (holder_type* holder : m_slots) {
      holder->pin();
      pinned.push_back(holder);
    }
    struct unpin_on_exit {
      std::vector<holder_type*>& holders;
      ~unpin_on_exit() {
        for (holder_type* holder : holders) holder->unpin();
      }
    } guard{pinned};
    for (holder_type* holder : pinned)
      if (holder->connected()) call(holder->function());
  }

  typename holder_type::slot_list m_slots;
};

}  // namespace impl

template <class R, class A>
class signal1;

template <class A>
class signal1<void, A> : public impl::signal_base<func::function1<void, A>> {
 public:
  using slot_type = func::function1<void, A>;

  connection connect(slot_type slot) { return this->connect_function(slot); }

  void operator()(A argument) {
    this->emit([&argument](const slot_type& slot) { slot(argument); });
  }
};

}  // namespace ttl::sig
