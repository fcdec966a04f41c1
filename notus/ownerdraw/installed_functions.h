// The calls the widgets make beyond the framework, through functions that
// start-up installs (tests install their own):
//   - the help dialog, which belongs to the forms, run by the help button;
//   - the time formatter ("HH:MM:SS"), which belongs to the application,
//     used by the clock button; without one the clock shows its glyph only;
//   - the glyph drawer, notus::gdi::draw_svg_glyph unless another is set.
// Each call copies the installed function first, so a function may replace
// itself (or the others) while it runs, as a nested dialog may.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "notus/ownerdraw/cached_face.h"

namespace notus::ownerdraw {

// The string id of every help dialog's title.
inline constexpr std::uint32_t help_title_id = 389;

// Runs the help dialog modally: the help text's and the title's string ids.
using help_dialog_runner = std::function<void(std::uint32_t help_text_id, std::uint32_t title_id)>;
help_dialog_runner set_help_dialog_runner(help_dialog_runner runner);
// Nothing happens while no runner is installed.
void run_help_dialog(std::uint32_t help_text_id, std::uint32_t title_id);

using time_formatter = std::function<std::wstring(std::uint32_t seconds)>;
time_formatter set_time_formatter(time_formatter formatter);
bool has_time_formatter();
// Empty while no formatter is installed.
std::wstring format_time(std::uint32_t seconds);

// Draws glyph id fitted into size with its top-left at position (the
// device's window coordinates).
using glyph_drawer =
    std::function<void(face_device& dev, unsigned id, face_device::size_type size, face_device::point_type position)>;
// An empty function puts back the SVG glyph drawer.
glyph_drawer set_glyph_drawer(glyph_drawer drawer);
void draw_glyph(face_device& dev, unsigned id, face_device::size_type size, face_device::point_type position);

}  // namespace notus::ownerdraw
