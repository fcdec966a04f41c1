// The path codec: well-formed UTF-8 reads as text, every other byte is
// carried as U+DC00 + byte, and every byte string comes back exactly.

#include "base/PathBytes.h"

#include <gtest/gtest.h>

#include <cctype>
#include <random>
#include <stdexcept>
#include <string>

#include "base/utf.h"

namespace {

constexpr wchar_t Escaped(unsigned char byte) { return static_cast<wchar_t>(0xDC00 + byte); }

struct PathCase {
  const char* what;
  std::string bytes;
  std::wstring wide;
};

class PathBytesTable : public ::testing::TestWithParam<PathCase> {};

TEST_P(PathBytesTable, DecodesAndEncodesBack) {
  EXPECT_EQ(PathFromBytes(GetParam().bytes), GetParam().wide);
  EXPECT_EQ(PathToBytes(GetParam().wide), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Table, PathBytesTable,
    ::testing::Values(
        PathCase{"empty", "", L""}, PathCase{"ascii", "/home/ann/.local/share/", L"/home/ann/.local/share/"},
        PathCase{"utf8", "/home/j\xC3\xB6rg/\xE2\x82\xAC/\xF0\x9F\x98\x80",
                 L"/home/j\u00F6rg/\u20AC/" + std::wstring{wchar_t(0x1F600)}},
        PathCase{"highest code point", "\xF4\x8F\xBF\xBF", std::wstring{wchar_t(0x10FFFF)}},
        PathCase{"latin1", "/home/j\xF6rg/", L"/home/j" + std::wstring{Escaped(0xF6)} + L"rg/"},
        PathCase{"lone continuation", "a\x80z", std::wstring{L'a', Escaped(0x80), L'z'}},
        PathCase{"overlong slash", "\xC0\xAF", std::wstring{Escaped(0xC0), Escaped(0xAF)}},
        PathCase{"overlong three-byte", "\xE0\x80\xAF", std::wstring{Escaped(0xE0), Escaped(0x80), Escaped(0xAF)}},
        PathCase{"encoded surrogate", "\xED\xA0\x80", std::wstring{Escaped(0xED), Escaped(0xA0), Escaped(0x80)}},
        // The UTF-8 form of an escape is not the escape: it stays three bytes.
        PathCase{"encoded escape", "\xED\xB3\xB6", std::wstring{Escaped(0xED), Escaped(0xB3), Escaped(0xB6)}},
        PathCase{"beyond U+10FFFF", "\xF4\x90\x80\x80",
                 std::wstring{Escaped(0xF4), Escaped(0x90), Escaped(0x80), Escaped(0x80)}},
        PathCase{"never a lead byte", "\xF5\xFF", std::wstring{Escaped(0xF5), Escaped(0xFF)}},
        PathCase{"cut off at the end", "x\xE2\x82", std::wstring{L'x', Escaped(0xE2), Escaped(0x82)}},
        PathCase{"cut off by ascii", "\xE2\x82/", std::wstring{Escaped(0xE2), Escaped(0x82), L'/'}},
        PathCase{"zero byte kept", std::string("a\0b", 3), std::wstring(L"a\0b", 3)}),
    [](const auto& info) {
      std::string name;
      for (const char* c = info.param.what; *c != '\0'; ++c)
        name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
      return name;
    });

TEST(PathBytes, EveryByteStringComesBackExactly) {
  for (int byte = 0; byte < 256; ++byte) {
    const std::string bytes(1, static_cast<char>(byte));
    EXPECT_EQ(PathToBytes(PathFromBytes(bytes)), bytes) << "byte " << byte;
  }
  for (int pair = 0; pair < 256 * 256; ++pair) {
    const std::string bytes{static_cast<char>(pair >> 8), static_cast<char>(pair & 0xFF)};
    ASSERT_EQ(PathToBytes(PathFromBytes(bytes)), bytes) << "bytes " << (pair >> 8) << " " << (pair & 0xFF);
  }
  // Random strings, the bytes drawn mostly from the lead and continuation
  // ranges where the cases lie.  Whatever is valid UTF-8 text reads as the
  // text codec reads it.
  std::mt19937 random(20240611);
  std::uniform_int_distribution<int> length(0, 24);
  std::uniform_int_distribution<int> anyByte(0, 255);
  std::uniform_int_distribution<int> highByte(0x80, 0xF7);
  for (int round = 0; round < 20000; ++round) {
    std::string bytes;
    for (int i = length(random); i > 0; --i) {
      bytes.push_back(static_cast<char>(random() % 4 == 0 ? anyByte(random) : highByte(random)));
    }
    const std::wstring path = PathFromBytes(bytes);
    ASSERT_EQ(PathToBytes(path), bytes) << testing::PrintToString(bytes);
    if (bytes.find('\0') == std::string::npos) {
      try {
        ASSERT_EQ(path, utf8_to_wide(bytes)) << testing::PrintToString(bytes);
      } catch (const std::invalid_argument&) {
        // Not text: the escapes carry it.
      }
    }
  }
}

TEST(PathBytes, WhatNoPathHoldsIsWrittenAsTheReplacementCharacter) {
  const std::string replacement = "\xEF\xBF\xBD";
  EXPECT_EQ(PathToBytes(std::wstring{wchar_t(0xD800)}), replacement);
  EXPECT_EQ(PathToBytes(std::wstring{wchar_t(0xDC7F)}), replacement) << "below the escapes of bytes 80 to FF";
  EXPECT_EQ(PathToBytes(std::wstring{wchar_t(0xDD00)}), replacement) << "above them";
  EXPECT_EQ(PathToBytes(std::wstring{wchar_t(0x110000), L'/'}), replacement + "/");
  EXPECT_EQ(PathToBytes(std::wstring{wchar_t(-1)}), replacement);
}

}  // namespace
