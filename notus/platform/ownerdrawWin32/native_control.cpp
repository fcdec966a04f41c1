#include "notus/platform/ownerdrawWin32/native_control.h"

#include <stdexcept>

namespace notus::impl::details {

namespace {
WNDPROC g_procedure = nullptr;
}

void set_native_control_procedure(WNDPROC procedure) { g_procedure = procedure; }

WNDPROC native_control_procedure() { return g_procedure; }

native_control create_native_edit(HWND main_window, winobj_virtual_window* owner) {
  native_control control;
  control.window = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                   CW_USEDEFAULT, main_window, nullptr, GetModuleHandleW(nullptr), owner);
  if (!control.window) throw std::runtime_error("unable to create control");
  SetPropW(control.window, native_control_property, owner);
  if (g_procedure)
    control.saved_procedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(control.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_procedure)));
  return control;
}

}  // namespace notus::impl::details
