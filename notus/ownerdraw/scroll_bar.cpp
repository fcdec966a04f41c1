#include "notus/ownerdraw/scroll_bar.h"

#include <algorithm>
#include <cmath>

namespace notus::ownerdraw {

namespace {

// The arrows are squares as wide as the bar, but on a bar shorter than two
// of them each takes half its height, so that they never lie over each
// other and read as one shape.
std::int32_t arrow_height(const scroll_rect& client) {
  return std::max(0, std::min(client.right - client.left, (client.bottom - client.top) / 2));
}

}  // namespace

scroll_rect vertical_scrollbar_main_strategies::get_up_button_rect(const scroll_rect& client) const {
  return {0, 0, client.right - client.left, arrow_height(client)};
}

scroll_rect vertical_scrollbar_main_strategies::get_down_button_rect(const scroll_rect& client) const {
  const std::int32_t h = client.bottom - client.top;
  return {0, h - arrow_height(client), client.right - client.left, h};
}

void vertical_scrollbar_main_strategies::set_track_rect(const scroll_rect& client) {
  track_rect = client;
  track_rect.top = up->display().rectangle().bottom;
  track_rect.bottom = down->display().rectangle().top;
}

// A bar no taller than its arrows has a track of no height, and so a box
// that no press can fall into.
scroll_rect vertical_scrollbar_main_strategies::get_box_rect(const scrollbar_model& m) const {
  const std::int64_t t = std::max(0, track_rect.bottom - track_rect.top);
  const std::int64_t range = std::int64_t{m.max} - m.min;
  std::int64_t height = t;
  std::int64_t offset = 0;
  if (range != 0 && range > m.page) {
    height = m.page * t / range;
    offset = m.position * t / range;
  }
  const std::int32_t top = track_rect.top + static_cast<std::int32_t>(offset);
  return {track_rect.left, top, track_rect.right, top + static_cast<std::int32_t>(height)};
}

std::int32_t vertical_scrollbar_main_strategies::page_to(const scrollbar_model& m, scroll_point p) const {
  const std::int64_t target =
      p.y < box->display().rectangle().top ? std::int64_t{m.position} - m.page : std::int64_t{m.position} + m.page;
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(target, m.min, m.last_first_position()));
}

// The pointer's place on the track, as a fraction of the range.  A fraction
// of exactly one half stays with the lower position.
std::int32_t vertical_scrollbar_main_strategies::position_from_drag(const scrollbar_model& m, scroll_point p) const {
  const std::int32_t t = track_rect.bottom - track_rect.top;
  if (t <= 0) return m.position;
  const double v = double(p.y - grab_offset - track_rect.top) * (double(m.max) - double(m.min)) / double(t);
  double whole = std::trunc(v);
  if (whole + 0.5 < v) whole += 1.0;
  return static_cast<std::int32_t>(std::clamp(whole, double(m.min), double(m.last_first_position())));
}

scroll_point vertical_scrollbar_main_strategies::box_origin_from_drag(scroll_point p) const {
  const scroll_rect& r = box->display().rectangle();
  const std::int32_t height = r.bottom - r.top;
  return {r.left, clamp_range(track_rect.top, std::max(track_rect.top, track_rect.bottom - height), p.y - grab_offset)};
}

void vertical_scrollbar_main_strategies::start_drag(scroll_point p) {
  grab_offset = p.y - box->display().rectangle().top;
}

}  // namespace notus::ownerdraw
