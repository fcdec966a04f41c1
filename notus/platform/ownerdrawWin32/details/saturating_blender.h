// How every drawing of the layer mixes a colour into a 32-bit BGRA buffer:
//
//     component = destination * (255 - a) / 256 + colour component
//     alpha     = 255 - (255 - destination alpha) * (255 - a) / 256
//
// with the colour given as it is (not premultiplied) and the sum held at 255.
// Opaque colours land exactly; translucent widget colours brighten what lies
// below them a little; translucent SVG fills over light pixels saturate
// instead of wrapping round to dark.  Partial coverage (anti-aliased edges)
// scales the colour and its alpha by (cover + 1) / 256 first.  A colour with
// alpha 0 leaves the pixel alone.
//
// Cached bitmaps hold colours that went through the same formula onto
// transparent black, so blending one of them later gives the same pixels as
// drawing its shapes directly.
#pragma once

#include <agg_basics.h>
#include <agg_color_rgba.h>
#include <agg_pixfmt_rgba.h>
#include <agg_rendering_buffer.h>

namespace notus::impl::details {

template <class Order>
struct blender_bgra_saturating {
  using color_type = agg::rgba8;
  using order_type = Order;
  using value_type = color_type::value_type;
  using calc_type = color_type::calc_type;
  using long_type = color_type::long_type;

  static value_type scale_by_cover(value_type v, agg::cover_type cover) {
    return static_cast<value_type>((calc_type(v) * (calc_type(cover) + 1)) >> 8);
  }

  static void blend_pix(value_type* p, value_type cr, value_type cg, value_type cb, value_type alpha,
                        agg::cover_type cover) {
    if (cover < agg::cover_full) {
      cr = scale_by_cover(cr, cover);
      cg = scale_by_cover(cg, cover);
      cb = scale_by_cover(cb, cover);
      alpha = scale_by_cover(alpha, cover);
    }
    blend_pix(p, cr, cg, cb, alpha);
  }

  static void blend_pix(value_type* p, value_type cr, value_type cg, value_type cb, value_type alpha) {
    if (alpha == 0) return;
    const calc_type keep = 255 - calc_type(alpha);
    p[Order::R] = mix(p[Order::R], cr, keep);
    p[Order::G] = mix(p[Order::G], cg, keep);
    p[Order::B] = mix(p[Order::B], cb, keep);
    p[Order::A] = static_cast<value_type>(255 - (((255 - calc_type(p[Order::A])) * keep) >> 8));
  }

  static void set_plain_color(value_type* p, color_type c) {
    p[Order::R] = c.r;
    p[Order::G] = c.g;
    p[Order::B] = c.b;
    p[Order::A] = c.a;
  }

  static color_type get_plain_color(const value_type* p) {
    return color_type(p[Order::R], p[Order::G], p[Order::B], p[Order::A]);
  }

 private:
  static value_type mix(value_type destination, value_type colour, calc_type keep) {
    const calc_type sum = ((calc_type(destination) * keep) >> 8) + colour;
    return static_cast<value_type>(sum > 255 ? 255 : sum);
  }
};

// Blue, green, red, alpha in memory, as the DIB sections hold them.
using pixfmt_bgra32_saturating =
    agg::pixfmt_alpha_blend_rgba<blender_bgra_saturating<agg::order_bgra>, agg::rendering_buffer>;

}  // namespace notus::impl::details
