// Splitting and wrapping, the text box's and a dialog message's, with a fake
// measure of 10 px per character.

#include "notus/ownerdraw/text_wrapper.h"
#include "notus/ownerdraw/message_lines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ttl/exception.h"

namespace {

using text_algorithms::message_lines;
using text_algorithms::text_wrapper;

void ten_per_character(const std::wstring& text, SIZE& size) {
  size.cx = static_cast<LONG>(10 * text.size());
  size.cy = 16;
}
// The same measure, as a dialog's message takes it.
int ten_px_per_character(const std::wstring& text) { return static_cast<int>(10 * text.size()); }

// The lines as [first|second|...], tabs shown as the spaces they became.
std::string describe(const std::vector<std::wstring>& lines) {
  std::string out = "[";
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) out += "|";
    for (wchar_t c : lines[i]) out += static_cast<char>(c);
  }
  return out + "]";
}

TEST(TextWrapper, WrapsAtomsIntoLinesNarrowerThanTheWidth) {
  struct {
    const char* name;
    std::wstring text;
    unsigned max_width;
    const char* expected;
  } cases[] = {
      {"two words fit", L"ab cd", 100, "[ab cd]"},
      {"only the first fits: the space between goes", L"ab cd", 40, "[ab|cd]"},
      {"a width equal to the room does not fit", L"ab cd", 50, "[ab|cd]"},
      {"a line broken after its space ends with its word", L"a b", 25, "[a|b]"},
      {"a long word stands alone, uncut", L"abcdefgh ij", 50, "[abcdefgh|ij]"},
      {"a long word after a short one", L"ab abcdefgh ij", 50, "[ab|abcdefgh|ij]"},
      {"a, CR, CR, b", L"a\r\rb", 100, "[a||b]"},
      {"a, LF, b", L"a\nb", 100, "[ab]"},
      {"CR LF breaks once", L"a\r\nb", 100, "[a|b]"},
      {"a trailing CR", L"a\r", 100, "[a]"},
      {"only spaces", L"   ", 100, "[]"},
      {"no space opens a line", L"  ab", 100, "[ab]"},
      {"a tab is four spaces", L"a\tb", 100, "[a    b]"},
      {"a tab may open a line", L"\tb", 100, "[    b]"},
      {"nothing", L"", 100, "[]"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    text_wrapper w;
    w.max_width = c.max_width;
    w.split(c.text);
    w.wrap(ten_per_character);
    EXPECT_EQ(describe(w.lines), c.expected);
  }
}

TEST(TextWrapper, SplitsIntoWordsAndSingleSeparators) {
  text_wrapper w;
  w.lines = {L"old"};
  w.split(L"ab  c\t\r\nd");
  std::string kinds;
  std::vector<std::wstring> texts;
  for (const auto& a : w.atoms) {
    kinds += static_cast<char>('0' + a->kind);
    texts.push_back(a->text);
  }
  EXPECT_EQ(kinds, "01102340");
  EXPECT_EQ(texts, (std::vector<std::wstring>{L"ab", L" ", L" ", L"c", L"    ", L"", L"", L"d"}));
  EXPECT_TRUE(w.lines.empty());
}

TEST(TextWrapper, MeasuresEachDistinctTextOnce) {
  text_wrapper w;
  w.max_width = 1000;
  w.split(L"the cat and the hat and the bat");
  std::vector<std::wstring> measured;
  w.wrap([&measured](const std::wstring& text, SIZE& size) {
    measured.push_back(text);
    ten_per_character(text, size);
  });
  EXPECT_EQ(measured, (std::vector<std::wstring>{L"the", L" ", L"cat", L"and", L"hat", L"bat"}));
  EXPECT_EQ(describe(w.lines), "[the cat and the hat and the bat]");
}

TEST(TextWrapper, AnEmptyMeasureThrowsOnlyWhenSomethingIsMeasured) {
  text_wrapper w;
  w.max_width = 100;
  w.split(L"\r\n\r");
  EXPECT_NO_THROW(w.wrap({}));
  EXPECT_EQ(describe(w.lines), "[|]");
  w.split(L"word");
  try {
    w.wrap({});
    ADD_FAILURE() << "no exception";
  } catch (const ttl::func::exception& e) {
    EXPECT_STREQ(e.what(), "ttl::func::function error");
  }
}

// A dialog's message: between words where it can, inside a word only where
// the word alone is wider than the room.
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
    EXPECT_EQ(describe(message_lines(c.text, c.max_width, ten_px_per_character)), c.expected) << c.name;
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
    for (const std::wstring& line : message_lines(text, width, ten_px_per_character)) {
      EXPECT_LE(ten_px_per_character(line), std::max(width, 10)) << describe({line}) << " at " << width;
      for (wchar_t c : line)
        if (c != L' ') joined += c;
    }
    EXPECT_EQ(joined, without_spaces) << "at " << width;
  }
}

}  // namespace
