// The splash's logo as both hosts draw it: a drawing read from an SVG
// document, scaled to fit the back buffer and centred in it.  The desktop
// tries the downloaded logo first; the handheld only ever has the built-in
// one.
#pragma once

#include "notus/platform/ownerdrawWin32/GDIBuffer.h"

class TiXmlNode;

namespace host {

// Draws the drawing of `document` over the buffer.  False, with nothing
// drawn, when the drawing has no width or no height to fit (an empty
// drawing, a line, a point).  SVG errors leave by agg::svg::exception before
// anything is drawn.
bool DrawFittedLogo(notus::impl::details::GDIBuffer& buffer, const TiXmlNode& document);

}  // namespace host
