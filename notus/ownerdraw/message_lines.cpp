#include "notus/ownerdraw/message_lines.h"

#include "winapi/message_box.h"

#include <algorithm>

namespace text_algorithms {

std::vector<std::wstring> message_lines(const std::wstring& text, int max_width, const text_width_function& width) {
  if (text.empty()) return {};
  std::wstring spaced = text;
  std::replace(spaced.begin(), spaced.end(), L'\t', L' ');
  std::vector<std::wstring> lines = winapi::WrapMessageText(spaced, max_width, width, L"/\\-_.");
  // A closing line break starts no line of its own here.
  if (lines.size() > 1 && lines.back().empty()) lines.pop_back();
  return lines;
}

}  // namespace text_algorithms
