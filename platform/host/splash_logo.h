// The splash's logo as both hosts draw it: a drawing read from an SVG
// document, scaled to fit the back buffer and centred in it.  The desktop
// tries the downloaded logo first; the handheld only ever has the built-in
// one.
#pragma once

#include "notus/platform/ownerdrawWin32/GDIBuffer.h"

#include <cstddef>

class TiXmlNode;

namespace host {

// The work a logo's render may take (agg::svg::render_work), fills and
// strokes of all its paths together.  Our own logo takes about a half of
// it, each glyph of our art less; a downloaded one is the server's to
// draw, and a few kilobytes of overlapping full-size shapes or thick
// strokes would otherwise take most of a second and some 100 MB at every
// start.  A logo at the budget draws in at most about 25 ms, ours in about
// 3 ms (bench/logo_bench, Release, a busy machine); its cells take at most
// about 3 MB.
inline constexpr std::size_t logo_work_budget = 3'000'000;

// Draws the drawing of `document` over the buffer.  False, with nothing
// drawn, when the drawing has no width or no height to fit (an empty
// drawing, a line, a point) or when its render would take more than
// logo_work_budget.  SVG errors leave by agg::svg::exception before
// anything is drawn.
bool DrawFittedLogo(notus::impl::details::GDIBuffer& buffer, const TiXmlNode& document);

}  // namespace host
