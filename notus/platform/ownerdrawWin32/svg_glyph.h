// The glyphs of buttons and tabs: SVG drawings kept in one document (the
// application's glyph document, read once at start-up), each a child element
// of the root with a decimal "id".  A glyph is rendered once per size into
// the image cache, scaled to fit and centred on its first path's box, and
// blended from there on every later request.
#pragma once

#include "notus/geometry.h"
#include "notus/platform/ownerdrawWin32/device.h"
#include "notus/traits.h"

#include <string>

namespace notus::gdi {

// Reads the SVG file into the application's glyph document.  A file that
// cannot be opened leaves the document empty; the first glyph request then
// throws "No such SVG node!".
void load_svg_glyphs(const std::wstring& path);

// Draws glyph id at position (relative to the device's origin), fitted into
// size.  An id the document lacks throws the character string "No such SVG
// node!"; malformed SVG throws agg::svg::exception.  Both happen before any
// bitmap is stored.  Must not be called between begin_bitmap and end_bitmap.
void draw_svg_glyph(device<notus::traits>& dev, unsigned id, notus::size<notus::traits> size,
                    notus::point<notus::traits> position);

}  // namespace notus::gdi
