// The lines of a dialog's message, with a fake measure of 10 px per
// character.

#include "notus/ownerdraw/message_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using text_algorithms::message_lines;

int ten_per_character(const std::wstring& text) { return static_cast<int>(10 * text.size()); }

// The lines as [first|second|...].
std::string describe(const std::vector<std::wstring>& lines) {
  std::string out = "[";
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) out += "|";
    for (wchar_t c : lines[i]) out += static_cast<char>(c);
  }
  return out + "]";
}

TEST(MessageLines, BreakBetweenWordsAndCutOnlyWordsNoLineHolds) {
  struct {
    const char* name;
    std::wstring text;
    int max_width;
    const char* expected;
  } cases[] = {
      {"all on one line", L"ab cd", 50, "[ab cd]"},
      {"a line as wide as the room fits", L"ab cd", 50, "[ab cd]"},
      {"the next word goes down whole", L"ab cd ef", 70, "[ab cd|ef]"},
      {"no line starts or ends with a space", L"  ab   cd  ", 30, "[ab|cd]"},
      {"a name no line holds breaks after its separators", L"File: my_long/name.txt", 80, "[File:|my_long/|name.txt]"},
      {"a word without separators breaks where it fits", L"abcdefghij", 40, "[abcd|efgh|ij]"},
      {"a separator too early to be worth it is passed by", L"a-bcdefghij", 60, "[a-bcde|fghij]"},
      {"the rest of a broken word takes the next word", L"abcdefg hi", 50, "[abcde|fg hi]"},
      {"carriage return and line feed end lines, CR LF once", L"ab\r\ncd\ref\ngh", 100, "[ab|cd|ef|gh]"},
      {"an empty line between breaks stays", L"ab\r\rcd", 100, "[ab||cd]"},
      {"a box narrower than a character still shows each", L"abc", 5, "[a|b|c]"},
      {"no text, no line", L"", 100, "[]"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(describe(message_lines(c.text, c.max_width, ten_per_character)), c.expected) << c.name;
  }
}

// Whatever the width, the lines hold every character of the text in order
// (the spaces between words aside) and none is wider than the room.
TEST(MessageLines, NothingIsLostAndNothingSticksOut) {
  const std::wstring text = L"This file cannot be read: a_very_long_puzzle_file_name_from_the_weekend.txt";
  std::wstring without_spaces;
  for (wchar_t c : text)
    if (c != L' ') without_spaces += c;
  for (int width = 10; width <= 400; width += 7) {
    std::wstring joined;
    for (const std::wstring& line : message_lines(text, width, ten_per_character)) {
      EXPECT_LE(ten_per_character(line), std::max(width, 10)) << describe({line}) << " at " << width;
      for (wchar_t c : line)
        if (c != L' ') joined += c;
    }
    EXPECT_EQ(joined, without_spaces) << "at " << width;
  }
}

}  // namespace
