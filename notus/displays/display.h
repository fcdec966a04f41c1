// A display receives the platform events of one area of the screen and raises
// each, paired with itself, to the views connected to it, in the order they
// connected.  The platform event goes by mutable reference: a view may rewrite
// it (a scroll bar moves the pointer coordinates) before later listeners see it.
#pragma once

#include "notus/event.h"
#include "notus/event_source.h"
#include "notus/impl/event.h"

namespace notus::displays {

struct display_base {};

template <class Traits>
class display;

// What a display raises: the platform event and the display it came through.
template <class Traits>
using display_event = notus::event<impl::event<Traits>&, display<Traits>>;

template <class Traits>
class display : public display_base, public event_source<display_event<Traits>&> {
 public:
  using traits_type = Traits;
  using platform_event = impl::event<Traits>;
  using event_type = display_event<Traits>;

  display() = default;
  ~display() override = default;

  virtual void on_event(platform_event& e) {
    event_type raised{e, *this};
    this->raise(raised);
  }
};

}  // namespace notus::displays
