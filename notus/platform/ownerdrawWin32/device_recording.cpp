#include "notus/platform/ownerdrawWin32/device_recording.h"

#include <cstdio>
#include <utility>

#include "base/utf.h"

namespace notus::gdi {

namespace {

device_recorder& Recorder() {
  static device_recorder recorder;
  return recorder;
}

placed_device_recorder& PlacedRecorder() {
  static placed_device_recorder recorder;
  return recorder;
}

}  // namespace

device_recorder set_device_recorder(device_recorder recorder) { return std::exchange(Recorder(), std::move(recorder)); }

placed_device_recorder set_placed_device_recorder(placed_device_recorder recorder) {
  return std::exchange(PlacedRecorder(), std::move(recorder));
}

namespace recording {

bool on() { return static_cast<bool>(Recorder()) || static_cast<bool>(PlacedRecorder()); }

void record(const device<notus::traits>::point_type& origin, const char* name,
            const std::vector<std::string>& arguments) {
  std::string call = name;
  call += '(';
  for (std::size_t i = 0; i < arguments.size(); ++i) call += (i == 0 ? "" : ", ") + arguments[i];
  call += ')';
  if (Recorder()) Recorder()(call);
  if (PlacedRecorder()) PlacedRecorder()(call, origin.x, origin.y);
}

std::string rect(const device_rect& r) {
  return "{" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom) + "}";
}

std::string colour(COLORREF c) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%06X", static_cast<unsigned>(c));
  return text;
}

std::string number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

std::string text(const std::wstring& value) { return "\"" + wide_to_utf8(value, utf_errors::lenient) + "\""; }

std::string points(const pointd* points, unsigned count) {
  std::string out = "[";
  for (unsigned i = 0; points != nullptr && i < count; ++i) {
    out += (i == 0 ? "(" : " (") + number(points[i].x) + "," + number(points[i].y) + ")";
  }
  return out + "]";
}

}  // namespace recording
}  // namespace notus::gdi
