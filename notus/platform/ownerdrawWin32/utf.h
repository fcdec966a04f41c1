#pragma once
// Conversions between UTF-8, UTF-16 and our wide strings.
//
// wchar_t is 32 bits on this platform, so a std::wstring holds one code point
// per element.  UTF-16 exists only at the edges (files that store raw UTF-16,
// lengths counted in UTF-16 units); the converters work on char16_t and the
// wide wrappers join and split surrogate pairs.  Every conversion is strict:
// overlong forms, encoded surrogates, values above U+10FFFF, unpaired
// surrogates and cut-off sequences are refused.

#include <string>

enum class utf_status {
  ok = 0,
  source_exhausted = 1,  // a sequence or surrogate pair cut off at the end
  target_exhausted = 2,
  source_illegal = 3,
};

// Converts [source, sourceEnd) into [target, targetEnd).  Both pointers are
// advanced past what was converted; on any status other than ok they stop at
// the start of the sequence that could not be converted.
utf_status convert_utf8_to_utf16(const unsigned char*& source, const unsigned char* sourceEnd,
                                 char16_t*& target, char16_t* targetEnd);
utf_status convert_utf16_to_utf8(const char16_t*& source, const char16_t* sourceEnd,
                                 unsigned char*& target, unsigned char* targetEnd);

// Whether the `length` bytes (1 to 4) at source form one well-formed UTF-8
// sequence.
bool is_legal_utf8(const unsigned char* source, int length);

// UTF-8 to wide text; the result ends at the first zero character.  Throws
// std::invalid_argument "UTF convertion failed." on malformed input.
std::wstring utf8_to_wide(const std::string& text);
// Wide text to UTF-8; the result ends at the first zero character.  Throws
// std::invalid_argument "UTF convertion failed." for surrogate code points or
// values above U+10FFFF.
std::string wide_to_utf8(const std::wstring& text);

// Wide text to UTF-16 units and back, splitting and joining surrogate pairs.
// Both throw std::invalid_argument "UTF convertion failed." on anything that
// is not a valid code point or a valid surrogate pair.
std::u16string wide_to_utf16(const std::wstring& text);
std::wstring utf16_to_wide(const std::u16string& text);
