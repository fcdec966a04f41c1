#pragma once
// The texts a paint pass draws, read off the recording drawing device: run
// inside a dialog's loop (a DialogScript's Do step) it answers what the
// dialog shows.

#include <string>
#include <vector>

#include "notus/platform/ownerdrawWin32/device_recorder.h"
#include "notus/platform/ownerdrawWin32/virtual_window_impl.h"
#include "winapi/windows.h"

namespace forms_test {

// Paints what is invalid now and answers the texts drawn, in drawing order
// (UTF-8).
inline std::vector<std::string> PaintedTexts(HWND main) {
  std::vector<std::string> calls;
  notus::gdi::set_device_recorder([&calls](const std::string& call) { calls.push_back(call); });
  SendMessageW(main, notus::impl::message_paint_now, 0, 0);
  notus::gdi::set_device_recorder(nullptr);
  // draw_text("OK", {3,3,7,7}, 5)
  const std::string head = "draw_text(\"", tail = "\", {";
  std::vector<std::string> texts;
  for (const std::string& call : calls) {
    const std::size_t end = call.rfind(tail);
    if (call.starts_with(head) && end != std::string::npos)
      texts.push_back(call.substr(head.size(), end - head.size()));
  }
  return texts;
}

}  // namespace forms_test
