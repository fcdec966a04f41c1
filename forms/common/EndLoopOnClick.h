// The click strategy of a dialog whose every button only closes it (OK
// alone, as the help, OK and puzzle-information dialogs have): any click
// ends the dialog's message loop, and the command that ran the dialog goes
// on from there.
#pragma once

#include "notus/impl/payloads.h"
#include "notus/platform/ownerdrawWin32/app.h"
#include "notus/strategy.h"

namespace forms {

struct EndLoopOnClick : notus::handle_event<notus::impl::ev_click, 0> {
  template <class Manager>
  bool on_click(notus::impl::ev_click&, Manager&) {
    notus::impl::details::app::quit();
    return true;
  }
};

}  // namespace forms
