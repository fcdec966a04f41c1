// The drawing device: the one facade through which paint strategies draw.
// A device is made over the paint event a window received (create_for_dc)
// and draws in that window's own coordinates into the current target: the
// back buffer, or a cached bitmap between begin_bitmap and end_bitmap, where
// the origin is (0, 0).  All drawing is clipped to the target's clip box,
// which a paint pass narrows to the area it repaints.
//
// Colours are COLORREF words (0x00BBGGRR, red in the low byte) with a
// separate alpha byte (255 opaque), blended as the back buffer does (see
// details/saturating_blender.h).  Rectangles are {left, top, right, bottom}
// with the right and bottom edges inside for fill_rect and frame_rect; the
// anti-aliased shapes take them as the outline's coordinates.
#pragma once

#include "notus/geometry.h"
#include "notus/traits.h"
#include "winapi/windows.h"

#include <array>
#include <memory>
#include <string>

namespace notus::impl::details {
class devobj;
class GDIBuffer;
class CBitmap;
}  // namespace notus::impl::details

namespace notus::gdi {

struct pointd {
  double x = 0.0;
  double y = 0.0;
};

// Any rectangle with the four edge fields (RECT, notus::rect) will do.
struct device_rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  device_rect() = default;
  device_rect(int l, int t, int r, int b) : left(l), top(t), right(r), bottom(b) {}
  template <class Rect>
  requires requires(const Rect& r) { r.left + r.top + r.right + r.bottom; }
  device_rect(const Rect& r)  // NOLINT: converting on purpose
      : left(r.left), top(r.top), right(r.right), bottom(r.bottom) {}
};

// The smallest line height a text is shrunk to so that its box holds it:
// half the desktop's, below the game's smallest text size, as a last resort
// for one label, which still reads at it.  A text that needs less is drawn
// at this size and cut.
inline constexpr int smallest_fitted_line_height = 8;

// The line height at which draw_text draws text in r, measured on dc with
// its font: 0 (the default font) when the text fits r, that is no wider
// than r and no more than a third higher than r; else the largest smaller
// one at which it fits, but not under smallest_fitted_line_height.  An
// empty text or an empty box is drawn as it is.
int fitted_line_height(HDC dc, const std::wstring& text, const device_rect& r);

template <class Traits>
class device;

template <>
class device<notus::traits> {
 public:
  using colour_type = COLORREF;
  using alpha_type = unsigned char;
  using size_type = notus::size<notus::traits>;
  using point_type = notus::point<notus::traits>;
  // x and y radius of the top-left, top-right, bottom-right and bottom-left
  // corners, in this order.
  using radii_type = std::array<double, 8>;

  // A device over a paint event's context, back buffer and origin (the
  // four words after the lead word of ev_paint); it does not own the
  // context.  A null back buffer means the application's.
  static std::shared_ptr<device> create_for_dc(HDC dc, impl::details::GDIBuffer* back_buffer, int origin_x,
                                               int origin_y);
  // A device over the screen's context, for measuring text outside a
  // paint; origin (0, 0).
  static std::shared_ptr<device> create_for_screen();

  device(const device&) = delete;
  device& operator=(const device&) = delete;
  ~device();

  // (0, 0) while drawing into a cached bitmap, else the window's origin.
  point_type origin() const;

  void fill_rect(const device_rect& r, colour_type colour, alpha_type alpha);
  // A one-pixel outline through the four corners.
  void frame_rect(const device_rect& r, colour_type colour, alpha_type alpha);
  // The width is accepted for the callers that pass one; the outline stays
  // one pixel wide.
  void frame_rect(const device_rect& r, int width, colour_type colour, alpha_type alpha);

  void fill_rounded_rect(const device_rect& r, double radius, colour_type colour, alpha_type alpha);
  void fill_rounded_rect_radii(const device_rect& r, const radii_type& radii, colour_type colour, alpha_type alpha);
  void frame_rounded_rect(const device_rect& r, double radius, double width, colour_type colour, alpha_type alpha);
  void frame_rounded_rect_radii(const device_rect& r, const radii_type& radii, double width, colour_type colour,
                                alpha_type alpha);

  // steps 0: as many as the radii need.
  void fill_ellipse(colour_type colour, alpha_type alpha, double cx, double cy, double rx, double ry,
                    unsigned steps = 0, bool clockwise = false);
  void frame_ellipse(double width, colour_type colour, alpha_type alpha, double cx, double cy, double rx, double ry,
                     unsigned steps = 0, bool clockwise = false);

  // A closed, filled polygon and an open, stroked polyline.
  void fill_polygon(const pointd* points, unsigned count, colour_type colour, alpha_type alpha);
  void draw_polyline(const pointd* points, double width, unsigned count, colour_type colour, alpha_type alpha);

  // Width and height of the text in the default font; an empty text is as
  // high as any other.
  size_type text_extent(const std::wstring& text) const;
  // One line of text in the default colour, transparent background, with
  // the DrawText flags given (DT_SINGLELINE is added), in the default font
  // when it fits r; when r would cut it (see fitted_line_height), shrink
  // draws it in the largest smaller font that fits, and cut in the default
  // font all the same (a line of a scrolled text, whose overlong word the
  // player scrolls past).
  enum class overflow { shrink, cut };
  void draw_text(const std::wstring& text, const device_rect& r, UINT flags, overflow how = overflow::shrink);

  // The image cache (see details/app.h).  begin_bitmap makes a transparent
  // bitmap of the size the current target; end_bitmap returns to the back
  // buffer.  draw_bitmap blends the cached bitmap into the back buffer at
  // origin + position and answers true, or answers false when there is
  // none; a size without pixels has nothing to draw and answers true.
  void begin_bitmap(unsigned id, int width, int height);
  void end_bitmap();
  bool draw_bitmap(unsigned id, size_type size, point_type position);
  // Blends an image that is not in the cache into the back buffer, as
  // draw_bitmap does; for pictures too large for the cache key.
  void draw_image(const impl::details::GDIBuffer& image, point_type position);
  // Blends an owned image (traits::CBitmap) into the current target at
  // origin + position, at full opacity with each pixel's own alpha, inside
  // the target's clip box.
  void blend_bitmap(const impl::details::CBitmap& image, point_type position);

 private:
  explicit device(std::shared_ptr<impl::details::devobj> object);

  impl::details::GDIBuffer& target() const;
  impl::details::GDIBuffer& back_buffer() const;

  std::shared_ptr<impl::details::devobj> m_object;
};

}  // namespace notus::gdi
