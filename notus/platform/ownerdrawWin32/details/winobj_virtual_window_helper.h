// The window object that displays own: it raises every event handed to it
// through a signal, to which the display connects its on_event.  The event
// goes by mutable reference, so a receiver may rewrite it for those after it.
#pragma once

#include "notus/platform/ownerdrawWin32/winobj_virtual_window.h"
#include "ttl/signal.h"

namespace notus::impl::details {

class winobj_virtual_window_helper : public winobj_virtual_window {
 public:
  using signal_type = ttl::sig::signal1<void, event<traits>&>;

  using winobj_virtual_window::winobj_virtual_window;

  // Calls the connected slots in connection order.
  void handle_event(event<traits>& e) override { m_signal(e); }

  signal_type& signal() noexcept { return m_signal; }

 private:
  signal_type m_signal;
};

}  // namespace notus::impl::details
