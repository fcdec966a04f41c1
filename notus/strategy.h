// Strategies carry a view's (or a view manager's) behaviour.  A strategy says
// which payloads it handles by deriving from handle_event<E>; it may narrow a
// handler to one value of the payload's second word (a key-down handler, a
// click or close handler for flag 0, a state handler for one state).
//
// The handler for a payload is named after its kind and takes the payload and
// the view (or manager); it returns false to stop the strategies after it:
//   bool on_mouse(ev_mouse&, View&)       bool on_key(ev_key&, View&)
//   bool on_paint(ev_paint&, View&)       bool on_click(ev_click&, View&)
//   ... on_message, on_size, on_close, on_command, on_state, on_timer,
//   on_scroll, on_selection, on_deferred; and on_update for a model update.
#pragma once

#include <cstdint>
#include <limits>
#include <type_traits>

#include "notus/impl/payloads.h"

namespace notus {

struct strategy {};

inline constexpr std::intptr_t any_second_word = std::numeric_limits<std::intptr_t>::min();

template <class E, std::intptr_t SecondWord = any_second_word>
struct handle_event : virtual strategy {};

// Key handlers see key-down and key-up events; these see key-down only.
using handle_key_down = handle_event<impl::ev_key, 1>;

namespace details {

template <class E, std::intptr_t SecondWord>
std::integral_constant<std::intptr_t, SecondWord> declared_filter(const handle_event<E, SecondWord>*);

}  // namespace details

// Whether strategy S declared a handler for payload E.
template <class S, class E>
concept handles = requires {
  details::declared_filter<E>(static_cast<const S*>(nullptr));
};

// The second-word value S's handler for E is limited to (any_second_word: none).
template <class S, class E>
requires handles<S, E>
inline constexpr std::intptr_t handler_filter =
    decltype(details::declared_filter<E>(static_cast<const S*>(nullptr)))::value;

}  // namespace notus
