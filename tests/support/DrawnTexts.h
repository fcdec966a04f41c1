#pragma once
// The texts a paint pass draws with the boxes they are drawn in, read off
// the recording drawing device, and which of them the box cuts: every text
// is drawn as one line clipped to its box, so a text wider or taller than
// its box at the size it was drawn at loses what sticks out.  The form
// captures list them; the tests of the small screen check that no box cuts
// its text.

#include <cstdio>
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

}  // namespace forms_test
