// How views and view managers hand events on.  A view first raises the event
// (wrapped as its own view event) to its listeners, normally the view manager
// that created it, and only then runs its own strategies, so a form sees every
// event of its views before the views act on it.
//
// View requirements: raise(view_event&) (it derives from event_source), and a
// view_event_type built from the display event, the update type and itself.
#pragma once

#include "notus/dispatch.h"
#include "ttl/exception.h"

namespace notus {

// The view's handler for its display's event.
template <class View, class Tuple, class DisplayEvent>
void deliver_display_event(View& view, Tuple& strategies, DisplayEvent& display_event) {
  impl::event_kind& kind = display_event.payload.kind;
  if (kind.empty()) return;
  typename View::view_event_type wrapped{display_event, view};
  view.raise(wrapped);
  dispatch_kind(strategies, kind, view);
}

// The view's handler for its model controller's update.
template <class View, class Tuple, class Update>
void deliver_model_update(View& view, Tuple& strategies, Update& update) {
  typename View::view_event_type wrapped{update, view};
  view.raise(wrapped);
  dispatch_to_strategies(strategies, update, view);
}

// A view manager's handler for the event of one of its views: the display
// event goes by kind to the manager's strategies, the model update to those
// that handle its type.
template <class Manager, class Tuple, class ViewEvent>
void deliver_view_event(Manager& manager, Tuple& strategies, ViewEvent& view_event) {
  auto& alternatives = view_event.payload;
  if (alternatives.index() != 0 && alternatives.index() != 1) throw ttl::meta::exception();
  if (auto* display_event = alternatives.template get_if<0>()) {
    if (!display_event->payload.kind.empty()) dispatch_kind(strategies, display_event->payload.kind, manager);
  } else if (auto* update = alternatives.template get_if<1>()) {
    dispatch_to_strategies(strategies, *update, manager);
  }
}

}  // namespace notus
