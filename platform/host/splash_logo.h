// The splash's logo as both hosts draw it: a drawing read from an SVG
// document, scaled to fit the back buffer and centred in it.  The desktop
// tries the downloaded logo first; the handheld only ever has the built-in
// one.
#pragma once

#include "notus/platform/ownerdrawWin32/GDIBuffer.h"

#include <cstddef>

class TiXmlNode;

namespace host {

// The rasteriser cells a logo's render may take (agg::svg::render_cells),
// fills and strokes of all its paths together.  Our own logo takes a small
// part of it; a downloaded one is the server's to draw, and a few kilobytes
// of thick strokes would otherwise take some 100 MB at every start.  At
// about 24 bytes a cell this keeps the render within about 25 MB.
inline constexpr std::size_t logo_cell_budget = 1'000'000;

// Draws the drawing of `document` over the buffer.  False, with nothing
// drawn, when the drawing has no width or no height to fit (an empty
// drawing, a line, a point) or when its render would take more than
// logo_cell_budget cells.  SVG errors leave by agg::svg::exception before
// anything is drawn.
bool DrawFittedLogo(notus::impl::details::GDIBuffer& buffer, const TiXmlNode& document);

}  // namespace host
