// The faces the buttons keep in the image cache, their ids and colours, and
// the one way they are drawn: a rounded rectangle inset by one pixel, filled
// and outlined, made once per (id, size) through draw_cached_face.  The
// colours the widgets share (outline, focus ring, tick and dot) live here too,
// so that a button and a check box beside it agree.
//
// Faces are as large as the window and drawn at the client rectangle's
// top-left; the check box, radio and tab faces draw their own shapes inside.
#pragma once

#include <memory>
#include <string>

#include "notus/ownerdraw/cached_face.h"
#include "notus/platform/ownerdrawWin32/device.h"
#include "winapi/windows.h"

namespace notus::ownerdraw {

// Image-cache ids; 13 and up belong to the scroll bar and the combo box, 20
// and 21 to the application's tab bar (the forms), 100 and up to the glyphs.
// The cache keys a face by id and size only, so two widgets that share an id
// draw each other's face whenever their sizes match.
enum face_id : unsigned {
  face_unchecked = 1,
  face_checked = 2,
  face_pressed = 3,
  face_normal = 4,
  face_disabled = 5,
  face_radio = 6,
  face_radio_selected = 7,
  face_tab_selected = 8,
  face_tab = 9,
  face_toggle = 10,
  face_toggle_selected = 11,
  face_toggle_disabled = 12,
};

namespace colours {

inline constexpr COLORREF outline = 0x185239;
inline constexpr COLORREF focus = 0x009BFF;
inline constexpr COLORREF face = 0x84CEA5;
inline constexpr COLORREF face_pressed = 0x06814C;
inline constexpr COLORREF face_disabled = 0xC8C8C8;
inline constexpr COLORREF tab = 0xEFCEB5;
inline constexpr COLORREF tab_outline = 0x634A39;
inline constexpr COLORREF page = 0xE6FFFF;
// The main window's background.
inline constexpr COLORREF white = 0xFFFFFF;
inline constexpr COLORREF toggle_selected = 0xE7A573;
inline constexpr COLORREF toggle_disabled = 0xB4B4B4;
// The check box's tick and the radio button's dot.
inline constexpr COLORREF mark = 0x000073;
inline constexpr COLORREF radio_ring = 0x000000;

}  // namespace colours

// DrawText formats of the captions.
inline constexpr UINT caption_centred = DT_CENTER | DT_VCENTER;
inline constexpr UINT caption_left = DT_LEFT | DT_VCENTER;

inline gdi::device_rect inset(const gdi::device_rect& r, int by) {
  return {r.left + by, r.top + by, r.right - by, r.bottom - by};
}

inline face_device::size_type size_of(const gdi::device_rect& r) { return {r.right - r.left, r.bottom - r.top}; }

// A device over the paint event's target, in the painted window's coordinates.
template <class Paint>
std::shared_ptr<face_device> paint_device(const Paint& p) {
  return face_device::create_for_dc(p.dc, p.back_buffer, p.origin_x, p.origin_y);
}

struct rounded_face {
  unsigned id;
  COLORREF fill;
  unsigned char alpha;
  double radius;
  COLORREF stroke;
};

// The face as large as client, at client's top-left: the rectangle inset by
// one pixel, filled, then outlined one pixel wide and opaque.
inline void draw_rounded_face(face_device& dev, const rounded_face& face, const gdi::device_rect& client) {
  const face_device::size_type size = size_of(client);
  draw_cached_face(dev, face.id, size, {client.left, client.top}, [&](face_device& d, int x, int y) {
    const gdi::device_rect inner{x + 1, y + 1, x + size.width - 1, y + size.height - 1};
    d.fill_rounded_rect(inner, face.radius, face.fill, face.alpha);
    d.frame_rounded_rect(inner, face.radius, 1.0, face.stroke, 255);
  });
}

// The focus ring of the buttons: a rounded frame inset into the window.
inline void draw_focus_ring(face_device& dev, const gdi::device_rect& client, int inset_by, double radius,
                            double width) {
  dev.frame_rounded_rect(inset(client, inset_by), radius, width, colours::focus, 255);
}

// A button's face with its caption (the push button, the toggle): enabled,
// the face and the caption over it; disabled, the caption first and the
// nearly opaque disabled face over it, so the caption shows only faintly.
// Then, when focused, the ring inset by 2 and 2 px wide.
inline void draw_captioned_face(face_device& dev, const gdi::device_rect& client, const std::wstring& caption,
                                bool enabled, const rounded_face& face, const rounded_face& disabled_face, bool focused,
                                double ring_radius) {
  if (enabled) {
    draw_rounded_face(dev, face, client);
    dev.draw_text(caption, inset(client, 1), caption_centred);
  } else {
    dev.draw_text(caption, inset(client, 1), caption_centred);
    draw_rounded_face(dev, disabled_face, client);
  }
  if (focused) draw_focus_ring(dev, client, 2, ring_radius, 2.0);
}

}  // namespace notus::ownerdraw
