#pragma once
// The one codec between UTF-8, UTF-16 and our wide strings.
//
// wchar_t is 32 bits on this platform, so a std::wstring holds one code point
// per element.  UTF-16 exists only at the edges (files that store raw UTF-16,
// lengths counted in UTF-16 units); the converters work on char16_t and the
// wide wrappers join and split surrogate pairs.
//
// Text the program stores or reads from its files is converted strictly:
// overlong forms, encoded surrogates, values above U+10FFFF, unpaired
// surrogates and cut-off sequences are refused with "UTF convertion failed.",
// the text the game shows.  Text that only passes through on its way to the
// screen (window titles, typed text, the font library) is converted
// leniently, so that one bad byte cannot lose the rest of a line.  So is a
// text read from a length-prefixed record: its end does not depend on the
// text, so one bad unit need not lose the record.

#include <string>
#include <string_view>

enum class utf_status {
  ok = 0,
  source_exhausted = 1,  // a sequence or surrogate pair cut off at the end
  target_exhausted = 2,
  source_illegal = 3,
};

// How utf8_to_wide, wide_to_utf8 and utf16_to_wide treat what cannot be
// converted.
enum class utf_errors {
  // Throw std::invalid_argument "UTF convertion failed.".
  strict,
  // Put one U+FFFD in place of each malformed sequence (a bad lead byte, or
  // a lead byte with the continuation bytes that follow it, up to the length
  // it announces), unpaired surrogate unit or code point that cannot be
  // encoded, and go on.
  lenient,
};

// Converts [source, sourceEnd) into [target, targetEnd).  Both pointers are
// advanced past what was converted; on any status other than ok they stop at
// the start of the sequence that could not be converted.
utf_status convert_utf8_to_utf16(const unsigned char*& source, const unsigned char* sourceEnd, char16_t*& target,
                                 char16_t* targetEnd);
utf_status convert_utf16_to_utf8(const char16_t*& source, const char16_t* sourceEnd, unsigned char*& target,
                                 unsigned char* targetEnd);

// Whether the `length` bytes (1 to 4) at source form one well-formed UTF-8
// sequence.
bool is_legal_utf8(const unsigned char* source, int length);

// UTF-8 to wide text and back.  Both convert the whole text and end the
// result at its first zero character.
std::wstring utf8_to_wide(std::string_view text, utf_errors errors = utf_errors::strict);
std::string wide_to_utf8(std::wstring_view text, utf_errors errors = utf_errors::strict);

// Wide text to UTF-16 units and back, splitting and joining surrogate pairs.
// Both throw std::invalid_argument "UTF convertion failed." on anything that
// is not a valid code point or a valid surrogate pair; utf16_to_wide can
// replace unpaired surrogates instead.
std::u16string wide_to_utf16(const std::wstring& text);
std::wstring utf16_to_wide(const std::u16string& text, utf_errors errors = utf_errors::strict);
