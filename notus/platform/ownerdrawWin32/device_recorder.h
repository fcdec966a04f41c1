// A hook that sees every drawing call of every device, for tests that check
// exact geometry where the pixels of anti-aliased edges would be fuzzy.  It
// is off, and costs one test of an empty function per call, unless a test
// installs one.
#pragma once

#include <functional>
#include <string>

namespace notus::gdi {

// One call as the paint strategy made it: the rectangles and points in the
// window's own coordinates (the device's origin is not added), colours as
// 0xBBGGRR, alphas and doubles in the shortest form, texts quoted.  For
// example:
//   fill_rounded_rect({1,1,9,9}, 5, 0x8CEFDE, 240)
//   draw_text("OK", {3,3,7,7}, 5)
//   begin_bitmap(4, 60, 20)   end_bitmap()   draw_bitmap(4, 60x20, (0,0))
using device_recorder = std::function<void(const std::string& call)>;

// Installs the hook for every device; an empty function turns it off.
// Answers the hook it replaces, so a caller can put it back.
device_recorder set_device_recorder(device_recorder recorder);

// The same calls with where they land: the device's origin, the drawing
// window's top-left on the target ((0, 0) inside a cached face).  For
// checks that compare what different windows draw, such as a text that a
// window in front paints over.  Installed and put back as the other.
using placed_device_recorder = std::function<void(const std::string& call, int origin_x, int origin_y)>;
placed_device_recorder set_placed_device_recorder(placed_device_recorder recorder);

}  // namespace notus::gdi
