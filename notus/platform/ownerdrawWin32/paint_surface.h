// What paint events built from window messages refer to: the main window,
// whose client coordinates give every paint origin, and the back buffer that
// paint strategies draw into.  The platform application object owns both and
// installs a source for them once it exists; until then both are null.
#pragma once

#include "notus/traits.h"

namespace notus::impl {

struct paint_surface {
  HWND main_window = nullptr;
  traits::back_buffer* back_buffer = nullptr;
};

using paint_surface_source = paint_surface (*)();

paint_surface_source set_paint_surface_source(paint_surface_source source);  // answers the replaced one
paint_surface current_paint_surface();

}  // namespace notus::impl
