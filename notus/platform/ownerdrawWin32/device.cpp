#include "notus/platform/ownerdrawWin32/device.h"
#include "notus/platform/ownerdrawWin32/device_recording.h"

#include "notus/platform/ownerdrawWin32/CBitmap.h"
#include "notus/platform/ownerdrawWin32/app.h"
#include "notus/platform/ownerdrawWin32/details/devobj.h"
#include "notus/platform/ownerdrawWin32/device_colour.h"
#include "notus/platform/ownerdrawWin32/platform_assert.h"

namespace notus::gdi {

using impl::details::app;
using impl::details::devobj;
using impl::details::GDIBuffer;

std::shared_ptr<device<notus::traits>> device<notus::traits>::create_for_dc(HDC dc, GDIBuffer* back_buffer,
                                                                            int origin_x, int origin_y) {
  return std::shared_ptr<device>(new device(std::make_shared<devobj>(dc, back_buffer, origin_x, origin_y)));
}

std::shared_ptr<device<notus::traits>> device<notus::traits>::create_for_screen() {
  return std::shared_ptr<device>(new device(std::make_shared<devobj>()));
}

device<notus::traits>::device(std::shared_ptr<devobj> object) : m_object(std::move(object)) {}

device<notus::traits>::~device() = default;

device<notus::traits>::point_type device<notus::traits>::origin() const {
  if (app::instance().drawing_bitmap()) return point_type{0, 0};
  return point_type{m_object->origin_x(), m_object->origin_y()};
}

GDIBuffer& device<notus::traits>::back_buffer() const {
  GDIBuffer* buffer = m_object->back_buffer();
  if (!buffer) buffer = app::instance().back_buffer().get();
  impl::details::platform_assert(buffer != nullptr, "px != 0", "notus/platform/ownerdrawWin32/device", __LINE__);
  return *buffer;
}

GDIBuffer& device<notus::traits>::target() const {
  app& application = app::instance();
  return application.drawing_bitmap() ? application.current_target() : back_buffer();
}

void device<notus::traits>::fill_rect(const device_rect& r, colour_type colour, alpha_type alpha) {
  if (recording::on())
    recording::record(origin(), "fill_rect", {recording::rect(r), recording::colour(colour), recording::number(alpha)});
  const point_type o = origin();
  target().renderer().blend_bar(r.left + o.x, r.top + o.y, r.right + o.x, r.bottom + o.y, agg_colour(colour, alpha),
                                agg::cover_full);
}

void device<notus::traits>::frame_rect(const device_rect& r, colour_type colour, alpha_type alpha) {
  if (recording::on())
    recording::record(origin(), "frame_rect",
                      {recording::rect(r), recording::colour(colour), recording::number(alpha)});
  const point_type o = origin();
  GDIBuffer::primitives_type& primitives = target().primitives();
  primitives.line_color(agg_colour(colour, alpha));
  primitives.rectangle(r.left + o.x, r.top + o.y, r.right + o.x, r.bottom + o.y);
}

void device<notus::traits>::frame_rect(const device_rect& r, int, colour_type colour, alpha_type alpha) {
  frame_rect(r, colour, alpha);
}

void device<notus::traits>::begin_bitmap(unsigned id, int width, int height) {
  if (recording::on())
    recording::record(origin(), "begin_bitmap",
                      {recording::number(id), recording::number(width), recording::number(height)});
  app::instance().begin_bitmap(id, width, height);
}

void device<notus::traits>::end_bitmap() {
  if (recording::on()) recording::record(origin(), "end_bitmap", {});
  app::instance().end_bitmap();
}

bool device<notus::traits>::draw_bitmap(unsigned id, size_type size, point_type position) {
  if (recording::on())
    recording::record(origin(), "draw_bitmap",
                      {recording::number(id), recording::number(size.width) + "x" + recording::number(size.height),
                       "(" + recording::number(position.x) + "," + recording::number(position.y) + ")"});
  const std::shared_ptr<GDIBuffer> bitmap = app::instance().find_bitmap(id, size.width, size.height);
  if (size.width <= 0 || size.height <= 0) return true;
  if (!bitmap) return false;
  draw_image(*bitmap, position);
  return true;
}

void device<notus::traits>::blend_bitmap(const impl::details::CBitmap& image, point_type position) {
  if (image.empty()) return;
  const point_type o = origin();
  target().renderer().blend_from(image.pixel_format(), nullptr, o.x + position.x, o.y + position.y, agg::cover_full);
}

void device<notus::traits>::draw_image(const GDIBuffer& image, point_type position) {
  back_buffer().renderer().blend_from(image.pixel_format(), nullptr, m_object->origin_x() + position.x,
                                      m_object->origin_y() + position.y, agg::cover_full);
}

}  // namespace notus::gdi
