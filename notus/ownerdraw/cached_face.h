// Every face a widget keeps in the image cache (the push button's, the check
// box's, the tab's ...) is drawn through draw_cached_face: blended from the
// cache when it is there, made into the cache first when it is not.
//
// The cache key is (width * 1000 + height) * 1000 + id, so a face 1000 px or
// more wide or high cannot be cached; it is drawn straight into the current
// target instead, every time.
#pragma once

#include "notus/platform/ownerdrawWin32/device.h"

namespace notus::ownerdraw {

using face_device = notus::gdi::device<notus::traits>;

// Draws face `id` of the size with its top-left at position (window
// coordinates).  draw(dev, x, y) paints the face with its top-left at (x, y):
// (0, 0) when it paints into the cache, position when it paints straight.
template <class Draw>
void draw_cached_face(face_device& dev, unsigned id, face_device::size_type size, face_device::point_type position,
                      Draw&& draw) {
  if (size.width >= 1000 || size.height >= 1000) {
    draw(dev, position.x, position.y);
    return;
  }
  if (dev.draw_bitmap(id, size, position)) return;
  dev.begin_bitmap(id, size.width, size.height);
  draw(dev, 0, 0);
  dev.end_bitmap();
  // Without an image cache nothing was kept: the face goes straight on.
  if (!dev.draw_bitmap(id, size, position)) draw(dev, position.x, position.y);
}

}  // namespace notus::ownerdraw
