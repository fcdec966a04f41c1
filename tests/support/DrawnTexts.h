#pragma once
// The texts a paint pass draws with the boxes they are drawn in, read off
// the recording drawing device, and which of them the box cuts: every text
// is drawn as one line clipped to its box, so a text wider or taller than
// its box at the size it was drawn at loses what sticks out.  The form
// captures list them; the tests of the small screen check that no box cuts
// its text.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/utf.h"
#include "notus/platform/ownerdrawWin32/device_recorder.h"
#include "notus/platform/ownerdrawWin32/invalid_rect.h"
#include "notus/platform/ownerdrawWin32/virtual_window_impl.h"
#include "winapi/windows.h"

namespace forms_test {

struct DrawnText {
  std::string text;    // UTF-8
  RECT box{};          // in the drawing window's own coordinates
  int format = 0;      // DrawText flags
  int lineHeight = 0;  // 0: the layer's default font; else a smaller font's
};

// The draw_text calls among calls, in order; a text drawn smaller than the
// default font to fit its box carries the line height it was drawn at:
//   draw_text("OK", {3,3,7,7}, 5)   draw_text("Statistik", {3,3,35,16}, 5, 9)
inline std::vector<DrawnText> DrawnTextsOf(const std::vector<std::string>& calls) {
  const std::string head = "draw_text(\"", tail = "\", {";
  std::vector<DrawnText> texts;
  for (const std::string& call : calls) {
    const std::size_t end = call.rfind(tail);
    if (!call.starts_with(head) || end == std::string::npos) continue;
    DrawnText drawn;
    drawn.text = call.substr(head.size(), end - head.size());
    int l = 0, t = 0, r = 0, b = 0, format = 0, lineHeight = 0;
    const int read =
        std::sscanf(call.c_str() + end + tail.size(), "%d,%d,%d,%d}, %d, %d", &l, &t, &r, &b, &format, &lineHeight);
    if (read < 4) continue;
    drawn.box = {l, t, r, b};
    drawn.format = format;
    drawn.lineHeight = read == 6 ? lineHeight : 0;
    texts.push_back(std::move(drawn));
  }
  return texts;
}

// The size the layer's font gives text, as the device measures it: the
// default font, or the font of lineHeight.
inline SIZE ExtentOf(const std::string& utf8, int lineHeight = 0) {
  const std::wstring wide = utf8_to_wide(utf8, utf_errors::lenient);
  SIZE extent{0, 0};
  if (const HDC dc = CreateCompatibleDC(nullptr)) {
    const HFONT font = lineHeight > 0 ? CreateFontW(lineHeight, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, nullptr) : nullptr;
    const HGDIOBJ previous = font ? SelectObject(dc, font) : nullptr;
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &extent);
    if (previous) SelectObject(dc, previous);
    if (font) DeleteObject(font);
    DeleteDC(dc);
  }
  return extent;
}

inline SIZE ExtentOf(const DrawnText& drawn) { return ExtentOf(drawn.text, drawn.lineHeight); }

// Whether the box cuts the text: a box narrower than the text, or lower
// than three quarters of its line (the line's height has room above and
// below the letters, which a box a little lower still shows whole).  An
// empty text is never cut.
inline bool IsCut(const DrawnText& drawn) {
  if (drawn.text.empty()) return false;
  const SIZE extent = ExtentOf(drawn);
  return extent.cx > drawn.box.right - drawn.box.left || 4 * (drawn.box.bottom - drawn.box.top) < 3 * extent.cy;
}

// "text" (W x H in a box of w x h), for messages; a text drawn smaller
// says so: "text" (W x H, drawn at line height 9, in a box of w x h).
inline std::string Describe(const DrawnText& drawn) {
  const SIZE extent = ExtentOf(drawn);
  std::string shown = drawn.text;
  for (char& c : shown)
    if (c == '\r' || c == '\n') c = ' ';
  const std::string smaller =
      drawn.lineHeight > 0 ? ", drawn at line height " + std::to_string(drawn.lineHeight) + "," : std::string();
  return "\"" + shown + "\" (" + std::to_string(extent.cx) + " x " + std::to_string(extent.cy) + smaller +
         " in a box of " + std::to_string(drawn.box.right - drawn.box.left) + " x " +
         std::to_string(drawn.box.bottom - drawn.box.top) + ")";
}

// Paints every window of main again, whole, and answers the texts drawn.
inline std::vector<DrawnText> RepaintAllRecordingTexts(HWND main) {
  RECT client{};
  GetClientRect(main, &client);
  notus::impl::details::add_invalid_rect(client);
  std::vector<std::string> calls;
  const notus::gdi::device_recorder before =
      notus::gdi::set_device_recorder([&calls](const std::string& call) { calls.push_back(call); });
  SendMessageW(main, notus::impl::message_paint_now, 0, 0);
  notus::gdi::set_device_recorder(before);
  return DrawnTextsOf(calls);
}

// Where a text's letters lie in its box: as wide as the text and placed as
// its format says, in the middle three quarters of its line (the rest is the
// room above and below the letters), and within the box, which clips it.
inline RECT LettersOf(const DrawnText& drawn) {
  const SIZE extent = ExtentOf(drawn);
  const RECT& box = drawn.box;
  int x = box.left;
  if (drawn.format & DT_CENTER)
    x = box.left + (box.right - box.left - extent.cx) / 2;
  else if (drawn.format & DT_RIGHT)
    x = box.right - extent.cx;
  int y = box.top;
  if (drawn.format & DT_VCENTER)
    y = box.top + (box.bottom - box.top - extent.cy) / 2;
  else if (drawn.format & DT_BOTTOM)
    y = box.bottom - extent.cy;
  const int room = extent.cy / 8;
  return RECT{std::max(x, box.left), std::max(y + room, box.top), std::min(x + extent.cx, box.right),
              std::min(y + extent.cy - room, box.bottom)};
}

inline bool Overlap(const RECT& a, const RECT& b) {
  return std::max(a.left, b.left) < std::min(a.right, b.right) && std::max(a.top, b.top) < std::min(a.bottom, b.bottom);
}

// "text" overlapped by "other text" / by a face at {l,t,r,b}, for each text
// that another window's text or face, drawn after it, lies over: each
// window paints over the ones behind it, so a text another window reaches
// into is hidden or blotted where they meet.  What a window draws over its
// own text (a disabled button's grey face) is its own affair; faces are its
// cached bitmaps and its opaque fills.  Rectangles are placed on the main
// window by the drawing window's origin.
inline std::vector<std::string> OverlappedTexts(const std::vector<std::pair<std::string, POINT>>& placedCalls) {
  struct Drawing {
    POINT origin;
    RECT area;
    std::string text;  // empty for a face
  };
  std::vector<Drawing> drawings;
  bool inFace = false;
  for (const auto& [call, origin] : placedCalls) {
    if (call.starts_with("begin_bitmap(")) inFace = true;
    if (call.starts_with("end_bitmap(")) inFace = false;
    if (inFace) continue;
    const auto placed = [&origin](RECT r) {
      return RECT{r.left + origin.x, r.top + origin.y, r.right + origin.x, r.bottom + origin.y};
    };
    if (call.starts_with("draw_text(")) {
      const std::vector<DrawnText> texts = DrawnTextsOf({call});
      if (!texts.empty() && !texts.front().text.empty())
        drawings.push_back({origin, placed(LettersOf(texts.front())), texts.front().text});
      continue;
    }
    int l = 0, t = 0, r = 0, b = 0, w = 0, h = 0;
    if (call.starts_with("draw_bitmap(")) {
      const std::size_t size = call.find(", ");
      if (size != std::string::npos && std::sscanf(call.c_str() + size, ", %dx%d, (%d,%d)", &w, &h, &l, &t) == 4)
        drawings.push_back({origin, placed({l, t, l + w, t + h}), {}});
      continue;
    }
    if (call.starts_with("fill_rect(") || call.starts_with("fill_rounded_rect")) {
      const std::size_t open = call.find("({");
      const std::size_t last = call.rfind(", ");
      if (open == std::string::npos || last == std::string::npos) continue;
      if (std::sscanf(call.c_str() + open, "({%d,%d,%d,%d}", &l, &t, &r, &b) != 4) continue;
      if (std::atoi(call.c_str() + last + 2) == 255) drawings.push_back({origin, placed({l, t, r, b}), {}});
    }
  }
  std::vector<std::string> overlapped;
  for (std::size_t i = 0; i < drawings.size(); ++i) {
    if (drawings[i].text.empty()) continue;
    for (std::size_t j = i + 1; j < drawings.size(); ++j) {
      const Drawing& over = drawings[j];
      if ((over.origin.x == drawings[i].origin.x && over.origin.y == drawings[i].origin.y) ||
          !Overlap(drawings[i].area, over.area))
        continue;
      const RECT& a = over.area;
      overlapped.push_back("\"" + drawings[i].text + "\" overlapped by " +
                           (over.text.empty() ? "a face at {" + std::to_string(a.left) + "," + std::to_string(a.top) +
                                                    "," + std::to_string(a.right) + "," + std::to_string(a.bottom) + "}"
                                              : "\"" + over.text + "\""));
      break;
    }
  }
  return overlapped;
}

// Paints every window of main again, whole, and answers each call with the
// drawing window's origin.
inline std::vector<std::pair<std::string, POINT>> RepaintAllPlacedCalls(HWND main) {
  RECT client{};
  GetClientRect(main, &client);
  notus::impl::details::add_invalid_rect(client);
  std::vector<std::pair<std::string, POINT>> calls;
  const notus::gdi::placed_device_recorder before =
      notus::gdi::set_placed_device_recorder([&calls](const std::string& call, int x, int y) {
        calls.emplace_back(call, POINT{x, y});
      });
  SendMessageW(main, notus::impl::message_paint_now, 0, 0);
  notus::gdi::set_placed_device_recorder(before);
  return calls;
}

}  // namespace forms_test
