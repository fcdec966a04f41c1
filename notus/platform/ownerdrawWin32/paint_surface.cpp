#include "notus/platform/ownerdrawWin32/paint_surface.h"

#include <utility>

namespace notus::impl {

namespace {
paint_surface_source g_source = nullptr;
}

paint_surface_source set_paint_surface_source(paint_surface_source source) { return std::exchange(g_source, source); }

paint_surface current_paint_surface() { return g_source ? g_source() : paint_surface{}; }

}  // namespace notus::impl
