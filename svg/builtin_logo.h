#pragma once

namespace agg::svg {

// The splash logo shown when no downloaded logo can be read: SVG text whose
// first path is the frame that the splash fits to the window.
const char* builtin_logo_svg();

}  // namespace agg::svg
