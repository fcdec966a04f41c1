#include "notus/platform/ownerdrawWin32/native_control.h"

#include <stdexcept>
#include <utility>

namespace notus::impl::details {

namespace {
WNDPROC g_procedure = nullptr;
native_edit_hooks g_hooks;
}  // namespace

WNDPROC set_native_control_procedure(WNDPROC procedure) { return std::exchange(g_procedure, procedure); }

native_edit_hooks set_native_edit_hooks(native_edit_hooks hooks) { return std::exchange(g_hooks, hooks); }

native_edit_hooks installed_native_edit_hooks() { return g_hooks; }

WNDPROC native_control_procedure() { return g_procedure; }

native_control create_native_edit(HWND main_window, winobj_virtual_window* owner) {
  native_control control;
  if (g_hooks.before_create) g_hooks.before_create();
  control.window = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                   CW_USEDEFAULT, main_window, nullptr, GetModuleHandleW(nullptr), owner);
  if (!control.window) {
    // The hooks stay paired: no control was made, so none is counted.
    if (g_hooks.after_destroy) g_hooks.after_destroy();
    throw std::runtime_error("unable to create control");
  }
  SetPropW(control.window, native_control_property, owner);
  if (g_procedure)
    control.saved_procedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(control.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_procedure)));
  return control;
}

void destroy_native_edit(HWND control) {
  if (IsWindow(control)) DestroyWindow(control);
  if (g_hooks.after_destroy) g_hooks.after_destroy();
}

}  // namespace notus::impl::details
