// The native text-entry control that a window object with flag 8 owns.  Its
// messages must reach the host's window procedure (which lets the control act
// first and then hands the message to the owning window object), but that
// procedure belongs to the host program, above this library; the host
// installs it here at start-up.
#pragma once

#include "winapi/windows.h"

namespace notus::impl::details {

class winobj_virtual_window;

// The procedure that every created control is subclassed with; none until the
// host installs one, and then the control keeps its own procedure.  Answers
// the procedure it replaces, so a caller can put it back.
WNDPROC set_native_control_procedure(WNDPROC procedure);
WNDPROC native_control_procedure();

// The window property that names the owning window object on the control.
inline constexpr const wchar_t* native_control_property = L"KMX POINTER";

struct native_control {
  HWND window = nullptr;
  WNDPROC saved_procedure = nullptr;
};

// What a host runs just before a control is created and just after one is
// destroyed: a device with a soft keyboard shows it while a control exists.
// None by default.
struct native_edit_hooks {
  void (*before_create)() = nullptr;
  void (*after_destroy)() = nullptr;
};
native_edit_hooks set_native_edit_hooks(native_edit_hooks hooks);  // answers the replaced hooks
// The hooks installed, for a text entry that is not made here (the system's
// own file prompt) but needs the soft keyboard all the same.
native_edit_hooks installed_native_edit_hooks();

// Creates an EDIT child of the main window for owner, tags it with the owner
// and subclasses it.  Throws std::runtime_error "unable to create control".
native_control create_native_edit(HWND main_window, winobj_virtual_window* owner);
// Destroys the control when it still exists (its parent may have taken it
// along), then runs the after-destroy hook.
void destroy_native_edit(HWND control);

}  // namespace notus::impl::details
