#include "notus/ownerdraw/installed_functions.h"

#include <utility>

#include "notus/platform/ownerdrawWin32/svg_glyph.h"

namespace notus::ownerdraw {

namespace {

help_dialog_runner& HelpDialogRunner() {
  static help_dialog_runner runner;
  return runner;
}

time_formatter& TimeFormatter() {
  static time_formatter formatter;
  return formatter;
}

glyph_drawer& GlyphDrawer() {
  static glyph_drawer drawer;
  return drawer;
}

}  // namespace

help_dialog_runner set_help_dialog_runner(help_dialog_runner runner) {
  return std::exchange(HelpDialogRunner(), std::move(runner));
}

void run_help_dialog(std::uint32_t help_text_id, std::uint32_t title_id) {
  const help_dialog_runner runner = HelpDialogRunner();
  if (runner) runner(help_text_id, title_id);
}

time_formatter set_time_formatter(time_formatter formatter) {
  return std::exchange(TimeFormatter(), std::move(formatter));
}

bool has_time_formatter() { return static_cast<bool>(TimeFormatter()); }

std::wstring format_time(std::uint32_t seconds) {
  const time_formatter formatter = TimeFormatter();
  return formatter ? formatter(seconds) : std::wstring();
}

glyph_drawer set_glyph_drawer(glyph_drawer drawer) { return std::exchange(GlyphDrawer(), std::move(drawer)); }

void draw_glyph(face_device& dev, unsigned id, face_device::size_type size, face_device::point_type position) {
  const glyph_drawer drawer = GlyphDrawer();
  if (drawer)
    drawer(dev, id, size, position);
  else
    gdi::draw_svg_glyph(dev, id, size, position);
}

}  // namespace notus::ownerdraw
