// A window object that records the paint events it receives and fills its
// client area with its own colour through the drawing device, as a widget's
// paint strategy would.
#pragma once

#include "notus/platform/ownerdrawWin32/device.h"
#include "notus/platform/ownerdrawWin32/winobj_virtual_window.h"

#include <string>
#include <vector>

namespace host_test {

struct paint_record {
  std::string name;
  HDC dc;
  int origin_x;
  int origin_y;
  RECT client;
};

class painted_window : public notus::impl::details::winobj_virtual_window {
 public:
  painted_window(std::string name, std::vector<paint_record>& log, COLORREF colour, RECT rect, int z = 0)
      : winobj_virtual_window(0), m_name(std::move(name)), m_log(log), m_colour(colour) {
    move(rect.left, rect.top);
    resize(rect.right - rect.left, rect.bottom - rect.top);
    set_z_order(z);
    show();
  }

  void handle_event(notus::impl::event<notus::traits>& e) override {
    auto* paint = e.kind.get_if<notus::impl::kind_paint>();
    if (!paint) return;
    m_log.push_back(paint_record{m_name, paint->dc, paint->origin_x, paint->origin_y, paint->client});
    auto dev = notus::gdi::device<notus::traits>::create_for_dc(paint->dc, paint->back_buffer, paint->origin_x,
                                                                paint->origin_y);
    dev->fill_rect(paint->client, m_colour, 255);
  }

 private:
  std::string m_name;
  std::vector<paint_record>& m_log;
  COLORREF m_colour;
};

inline std::vector<std::string> names(const std::vector<paint_record>& log) {
  std::vector<std::string> result;
  for (const paint_record& r : log) result.push_back(r.name);
  return result;
}

}  // namespace host_test
