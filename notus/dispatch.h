// Dispatch by kind over a tuple of strategies.  For one payload, the
// strategies that handle its type run in tuple order, each only while the one
// before returned true; a handler narrowed to one second-word value runs only
// when the payload carries that value (and is simply passed over otherwise).
#pragma once

#include <tuple>

#include "notus/impl/event.h"
#include "notus/strategy.h"

namespace notus {

namespace details {

// The handler names, one per payload type.
template <class S, class T>
bool call_handler(S& s, impl::ev_message& p, T& t) {
  return s.on_message(p, t);
}
template <class S, class T>
bool call_handler(S& s, impl::ev_mouse& p, T& t) {
  return s.on_mouse(p, t);
}
template <class S, class T>
bool call_handler(S& s, impl::ev_key& p, T& t) {
  return s.on_key(p, t);
}
template <class S, class T>
bool call_handler(S& s, impl::ev_size& p, T& t) {
  return s.on_size(p, t);
}
template <class S, class T>
bool call_handler(S& s, impl::ev_paint& p, T& t) {
  return s.on_paint(p, t);
}
template <class S, class T>
bool call_handler(S& s, impl::ev_close& p, T& t) {
  return s.on_close(p, t);
}
template <class S, class T>
bool call_handler(S& s, impl::ev_command& p, T& t) {
  return s.on_command(p, t);
}
template <class S, class T>
bool call_handler(S& s, impl::ev_click& p, T& t) {
  return s.on_click(p, t);
}
template <class S, class T>
bool call_handler(S& s, impl::ev_state& p, T& t) {
  return s.on_state(p, t);
}
template <class S, class T>
bool call_handler(S& s, impl::ev_timer& p, T& t) {
  return s.on_timer(p, t);
}
template <class S, class T>
bool call_handler(S& s, impl::ev_scroll& p, T& t) {
  return s.on_scroll(p, t);
}
template <class S, class T>
bool call_handler(S& s, impl::ev_selection& p, T& t) {
  return s.on_selection(p, t);
}
template <class S, class T>
bool call_handler(S& s, impl::ev_deferred& p, T& t) {
  return s.on_deferred(p, t);
}
// Anything else is a model's update.
template <class S, class U, class T>
bool call_handler(S& s, U& update, T& t) {
  return s.on_update(update, t);
}

// Runs one strategy for payload E; true lets the next one run.
template <class S, class E, class Target>
bool run_strategy(S& s, E& payload, Target& target) {
  if constexpr (handles<S, E>) {
    constexpr std::intptr_t filter = handler_filter<S, E>;
    if constexpr (filter != any_second_word)
      if (payload.second_word() != filter) return true;
    return static_cast<bool>(call_handler(s, payload, target));
  } else {
    return true;
  }
}

}  // namespace details

// Runs the strategies of the tuple that handle E, in tuple order, until one
// returns false.  Returns whether none stopped the chain.
template <class Tuple, class E, class Target>
bool dispatch_to_strategies(Tuple& strategies, E& payload, Target& target) {
  return std::apply(
      [&](auto&... s) {
        bool go_on = true;
        ((go_on = go_on && details::run_strategy(s, payload, target)), ...);
        return go_on;
      },
      strategies);
}

// The same for the payload of a platform event's kind.  An empty kind runs
// nothing; a kind index outside 0..13 throws ttl::meta::exception.
template <class Tuple, class Target>
bool dispatch_kind(Tuple& strategies, impl::event_kind& kind, Target& target) {
  bool go_on = true;
  kind.visit([&](auto& payload) { go_on = dispatch_to_strategies(strategies, payload, target); });
  return go_on;
}

}  // namespace notus
