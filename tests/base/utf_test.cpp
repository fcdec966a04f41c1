#include "base/utf.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

struct Utf8Case {
  const char* what;
  std::string utf8;
  std::wstring wide;
};

class Utf8ValidTest : public ::testing::TestWithParam<Utf8Case> {};

TEST_P(Utf8ValidTest, ConvertsBothWays) {
  const Utf8Case& c = GetParam();
  EXPECT_EQ(utf8_to_wide(c.utf8), c.wide) << c.what;
  EXPECT_EQ(wide_to_utf8(c.wide), c.utf8) << c.what;
  EXPECT_EQ(utf8_to_wide(c.utf8, utf_errors::lenient), c.wide) << c.what;
  EXPECT_EQ(wide_to_utf8(c.wide, utf_errors::lenient), c.utf8) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Table, Utf8ValidTest,
                         ::testing::Values(Utf8Case{"empty", "", L""}, Utf8Case{"ascii", "Player 1", L"Player 1"},
                                           Utf8Case{"two-byte", "\xC3\xA9t\xC3\xA9", L"\u00E9t\u00E9"},
                                           Utf8Case{"three-byte", "\xE2\x82\xAC\xEF\xBF\xBF", L"\u20AC\uFFFF"},
                                           Utf8Case{"four-byte, one element per code point", "\xF0\x9F\x98\x80x",
                                                    std::wstring{wchar_t(0x1F600), L'x'}},
                                           Utf8Case{"highest code point", "\xF4\x8F\xBF\xBF",
                                                    std::wstring{wchar_t(0x10FFFF)}},
                                           Utf8Case{"last before the surrogates", "\xED\x9F\xBF", L"\uD7FF"}));

class Utf8InvalidTest : public ::testing::TestWithParam<std::string> {};

TEST_P(Utf8InvalidTest, ThrowsTheConversionError) {
  try {
    utf8_to_wide(GetParam());
    FAIL() << "accepted malformed UTF-8";
  } catch (const std::invalid_argument& error) {
    EXPECT_STREQ(error.what(), "UTF convertion failed.");
  }
  EXPECT_NE(utf8_to_wide(GetParam(), utf_errors::lenient).find(L'\uFFFD'), std::wstring::npos)
      << "what strict decoding refuses, lenient decoding replaces";
}

INSTANTIATE_TEST_SUITE_P(Table, Utf8InvalidTest,
                         ::testing::Values(std::string("\xC0\x80", 2),  // overlong zero
                                           "\xC1\xBF",                  // overlong two-byte
                                           "\xE0\x9F\xBF",              // overlong three-byte
                                           "\xF0\x8F\xBF\xBF",          // overlong four-byte
                                           "\xED\xA0\x80",              // encoded high surrogate
                                           "\xED\xBF\xBF",              // encoded low surrogate
                                           "\xF4\x90\x80\x80",          // above U+10FFFF
                                           "\xF5\x80\x80\x80",          // lead byte above F4
                                           "\x80",                      // lone trail byte
                                           "a\xC3",                     // cut after the lead byte
                                           "\xE2\x82",                  // cut three-byte sequence
                                           "\xC3(",                     // bad trail byte
                                           "\xFF"));

TEST(Utf8ToWide, StopsAtAnEmbeddedZero) { EXPECT_EQ(utf8_to_wide(std::string("ab\0cd", 5)), L"ab"); }

// Lenient decoding puts one U+FFFD for each malformed sequence and reads on.
TEST(Utf8ToWide, LenientlyReplacesEachMalformedSequence) {
  const struct {
    const char* what;
    std::string utf8;
    std::wstring wide;
  } cases[] = {
      {"cut after the lead byte", "a\xC3", L"a\uFFFD"},
      {"cut three-byte sequence takes its continuation bytes", "\xE2\x82", L"\uFFFD"},
      {"bad trail byte is read again", "\xC3(", L"\uFFFD("},
      {"a lead byte no sequence starts with stands alone", std::string("\xC0\x80", 2), L"\uFFFD\uFFFD"},
      {"overlong three-byte sequence", std::string("\xE0\x80\x80z", 4), L"\uFFFDz"},
      {"encoded surrogate", "\xED\xA0\x80x", L"\uFFFDx"},
      {"good sequences on both sides", "\xF0\x9F\x98\x80\xFF\xC3\xA9",
       std::wstring{wchar_t(0x1F600), L'\uFFFD', L'\u00E9'}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(utf8_to_wide(c.utf8, utf_errors::lenient), c.wide);
  }
}

TEST(WideToUtf8, LenientlyReplacesCodePointsThatAreNotCharacters) {
  EXPECT_EQ(wide_to_utf8(std::wstring{L'a', wchar_t(0xD800), wchar_t(0x110000), L'b'}, utf_errors::lenient),
            "a\xEF\xBF\xBD\xEF\xBF\xBD"
            "b");
}

TEST(WideToUtf8, RefusesCodePointsThatAreNotCharacters) {
  for (wchar_t bad : {wchar_t(0xD800), wchar_t(0xDFFF), wchar_t(0x110000)}) {
    EXPECT_THROW(wide_to_utf8(std::wstring{L'a', bad}), std::invalid_argument) << std::hex << int(bad);
  }
}

TEST(Utf16, SplitsAndJoinsSurrogatePairs) {
  const std::wstring wide{L'A', wchar_t(0x1D11E), L'\u00E9'};
  const std::u16string units = wide_to_utf16(wide);
  EXPECT_EQ(units, (std::u16string{u'A', 0xD834, 0xDD1E, u'\u00E9'}));
  EXPECT_EQ(utf16_to_wide(units), wide);
}

TEST(Utf16, RefusesUnpairedSurrogates) {
  for (const std::u16string& bad : {std::u16string{u'a', 0xD834},     // high at the end
                                    std::u16string{0xD834, u'a'},     // high before a non-low
                                    std::u16string{0xDD1E, u'a'}}) {  // lone low
    EXPECT_THROW(utf16_to_wide(bad), std::invalid_argument);
  }
}

TEST(Utf16, LenientPutsOneReplacementForEachUnpairedSurrogate) {
  const std::wstring clef{wchar_t(0x1D11E)};
  const struct {
    std::u16string units;
    std::wstring wide;
  } cases[] = {
      {{u'a', 0xD834}, L"a\uFFFD"},                               // high at the end
      {{0xD834, u'a'}, L"\uFFFDa"},                               // high before a non-low
      {{0xDD1E, 0xD834}, L"\uFFFD\uFFFD"},                        // reversed pair
      {{0xD834, 0xD834, 0xDD1E, u'b'}, L"\uFFFD" + clef + L"b"},  // high before a whole pair
  };
  for (const auto& c : cases) {
    EXPECT_EQ(utf16_to_wide(c.units, utf_errors::lenient), c.wide);
    EXPECT_THROW(utf16_to_wide(c.units), std::invalid_argument);
  }
}

TEST(ConvertUtf16ToUtf8, ReportsWhyItStopped) {
  unsigned char out[8];
  const char16_t cutPair[] = {u'a', 0xD834};
  const char16_t* source = cutPair;
  unsigned char* target = out;
  EXPECT_EQ(convert_utf16_to_utf8(source, cutPair + 2, target, out + 8), utf_status::source_exhausted);
  EXPECT_EQ(source, cutPair + 1);  // stopped at the start of the cut pair
  EXPECT_EQ(target, out + 1);

  const char16_t euro[] = {0x20AC};
  source = euro;
  target = out;
  EXPECT_EQ(convert_utf16_to_utf8(source, euro + 1, target, out + 2), utf_status::target_exhausted);
}

TEST(ConvertUtf8ToUtf16, NeedsRoomForTheWholePair) {
  const unsigned char emoji[] = {0xF0, 0x9F, 0x98, 0x80};
  char16_t out[1];
  const unsigned char* source = emoji;
  char16_t* target = out;
  EXPECT_EQ(convert_utf8_to_utf16(source, emoji + 4, target, out + 1), utf_status::target_exhausted);
  EXPECT_EQ(source, emoji);
}

}  // namespace
