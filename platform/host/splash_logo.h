// The splash's logo as both hosts draw it: a drawing read from an SVG
// document, scaled to fit the back buffer and centred in it.  The desktop
// tries the downloaded logo first; the handheld only ever has the built-in
// one.
#pragma once

#include "notus/platform/ownerdrawWin32/GDIBuffer.h"

#include <cstddef>

class TiXmlNode;

namespace host {

// The work a downloaded logo's render may take (agg::svg::render_work),
// fills and strokes of all its paths together, for each pixel of the
// splash: 3,000,000 over the 480 x 640 splash.  A fair drawing's work grows
// with the area it is fitted to, so the same logo passes or fails on every
// screen.  Our own logo takes less than a half of it, each glyph of our art
// less; a downloaded one is the server's to draw, and a few kilobytes of
// overlapping full-size shapes or thick strokes would otherwise take most
// of a second and some 100 MB at every start.  At 480 x 640 a logo at the
// budget draws in at most about 25 ms, ours in about 3 ms
// (bench/logo_bench, Release, a busy machine); its cells take at most about
// 3 MB.
inline constexpr double logo_work_per_pixel = 3'000'000.0 / (480 * 640);

// logo_work_per_pixel for every pixel of a width x height splash.
std::size_t logo_work_budget(int width, int height);

// Draws our own logo, `document`, over the buffer, whatever its work.
// False, with nothing drawn, when the drawing has no width or no height to
// fit (an empty drawing, a line, a point).  SVG errors leave by
// agg::svg::exception before anything is drawn.
bool DrawFittedLogo(notus::impl::details::GDIBuffer& buffer, const TiXmlNode& document);

// Draws a downloaded logo over the buffer, which the caller has cleared to
// white (all bytes 255).  False when it cannot be fitted as above, when its
// render would take more than logo_work_budget (nothing is drawn then), or
// when it leaves the buffer white: a logo that shows nothing gives way to
// ours.
bool DrawDownloadedLogo(notus::impl::details::GDIBuffer& buffer, const TiXmlNode& document);

}  // namespace host
