#include "notus/ownerdraw/message_lines.h"

#include <cstddef>

namespace text_algorithms {

namespace {

bool is_break_after(wchar_t c) { return c == L'/' || c == L'\\' || c == L'-' || c == L'_' || c == L'.'; }

// Splits a word no line can hold into pieces that fit, each as long as it
// can be, ending after a separator where one lets a piece hold more than
// half of what fits.  The last piece is left in word for the caller.
void break_long_word(std::wstring& word, int max_width, const text_width_function& width,
                     std::vector<std::wstring>& lines) {
  while (width(word) > max_width && word.size() > 1) {
    // The longest prefix that fits; at least one character.
    std::size_t fits = 1;
    while (fits < word.size() && width(word.substr(0, fits + 1)) <= max_width) ++fits;
    std::size_t cut = fits;
    for (std::size_t at = fits; at > fits / 2; --at) {
      if (is_break_after(word[at - 1])) {
        cut = at;
        break;
      }
    }
    lines.push_back(word.substr(0, cut));
    word.erase(0, cut);
  }
}

}  // namespace

std::vector<std::wstring> message_lines(const std::wstring& text, int max_width, const text_width_function& width) {
  std::vector<std::wstring> lines;
  std::wstring current;
  bool any = false;
  auto end_line = [&] {
    lines.push_back(current);
    current.clear();
  };
  auto place_word = [&](std::wstring word) {
    if (word.empty()) return;
    if (!current.empty()) {
      const std::wstring joined = current + L' ' + word;
      if (width(joined) <= max_width) {
        current = joined;
        return;
      }
      end_line();
    }
    break_long_word(word, max_width, width, lines);
    current = word;
  };
  std::wstring word;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const wchar_t c = text[i];
    any = true;
    if (c == L'\r' || c == L'\n') {
      place_word(word);
      word.clear();
      end_line();
      if (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
    } else if (c == L' ' || c == L'\t') {
      place_word(word);
      word.clear();
    } else {
      word.push_back(c);
    }
  }
  place_word(word);
  if (any && (!current.empty() || lines.empty())) end_line();
  return lines;
}

}  // namespace text_algorithms
