// The base of every modal dialog.  A dialog is a local object of the command
// that needs an answer; its own window controller becomes current as the
// dialog is made, so input and paint see only the windows the dialog then
// creates, and the form underneath keeps its pixels but gets no input.  The
// protocol, the same for every dialog and caller:
//
//   1. make the dialog (its controller becomes current);
//   2. set the texts the dialog carries, if any;
//   3. Show: builds the dialog's form and returns at once;
//   4. app::run_message_loop: returns when a button calls app::quit;
//   5. read the answer from the dialog's form;
//   6. leave the scope: the form goes first, then the controller, so the
//      previous controller is current again.
//
// The dialog's controller keeps the pixels the dialog opened over and
// paints it over them at every pass, so a dialog that lets the form show
// through looks the same after any repaint as when it first appeared.
//
// The destructor is not virtual: each dialog is destroyed as the type that
// was made.  A derived dialog releases its form in its own destructor,
// which runs before this one gives the controller up.
#pragma once

#include "notus/platform/ownerdrawWin32/virtual_window_controller.h"

namespace notus::impl {

class virtual_window_dialog {
 public:
  virtual_window_dialog() { m_controller.keep_backdrop(); }
  virtual_window_dialog(const virtual_window_dialog&) = delete;
  virtual_window_dialog& operator=(const virtual_window_dialog&) = delete;

  virtual void Show() {}

  details::virtual_window_controller& controller() noexcept { return m_controller; }

 protected:
  ~virtual_window_dialog() = default;

 private:
  details::virtual_window_controller m_controller;
};

}  // namespace notus::impl
