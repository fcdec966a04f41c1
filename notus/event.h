// An event paired with whoever raised it: a display event is the platform
// event and its display; a view event is the view's event variant (the
// display's event or the model's update) and the view.
#pragma once

#include "ttl/variant.h"

namespace notus {

template <class Payload, class Sender>
struct event {
  Payload payload;
  Sender& sender;
};

// Alternative 0: the display event; alternative 1: the model's update.
template <class DisplayEvent, class Update, class View>
using view_event = event<ttl::var::variant<DisplayEvent&, Update&>, View>;

}  // namespace notus
