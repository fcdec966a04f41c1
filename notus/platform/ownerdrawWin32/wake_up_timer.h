// A thread timer due when a timed wait over the message loop ends (the
// start-up's wait, the web request's link period), so that a sleep in
// WaitMessage between messages ends then too; its message goes to no
// window.  Killed however the wait is left.
#pragma once

#include "winapi/windows.h"

namespace notus::impl::details {

class wake_up_timer {
 public:
  explicit wake_up_timer(DWORD milliseconds) : m_id(SetTimer(nullptr, 0, milliseconds, nullptr)) {}
  wake_up_timer(const wake_up_timer&) = delete;
  wake_up_timer& operator=(const wake_up_timer&) = delete;
  ~wake_up_timer() {
    if (m_id) KillTimer(nullptr, m_id);
  }

 private:
  UINT_PTR m_id;
};

}  // namespace notus::impl::details
