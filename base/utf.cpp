#include "base/utf.h"

#include <algorithm>
#include <stdexcept>

namespace {

constexpr char32_t kHighSurrogateFirst = 0xD800;
constexpr char32_t kHighSurrogateLast = 0xDBFF;
constexpr char32_t kLowSurrogateFirst = 0xDC00;
constexpr char32_t kLowSurrogateLast = 0xDFFF;
constexpr char32_t kLastCodePoint = 0x10FFFF;
constexpr char32_t kReplacementCharacter = 0xFFFD;

[[noreturn]] void ConversionFailed() { throw std::invalid_argument("UTF convertion failed."); }

bool IsHighSurrogate(char32_t unit) { return unit >= kHighSurrogateFirst && unit <= kHighSurrogateLast; }
bool IsLowSurrogate(char32_t unit) { return unit >= kLowSurrogateFirst && unit <= kLowSurrogateLast; }
bool IsEncodable(char32_t codePoint) {
  return codePoint <= kLastCodePoint && !IsHighSurrogate(codePoint) && !IsLowSurrogate(codePoint);
}
bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The length a lead byte announces.  Bytes that can never start a sequence
// give 0; is_legal_utf8 refuses the rest of the malformed cases.
int SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead < 0xC0) return 0;
  if (lead < 0xE0) return 2;
  if (lead < 0xF0) return 3;
  if (lead < 0xF8) return 4;
  return 0;
}

// One UTF-8 sequence read from the front of a text.
struct Utf8Sequence {
  utf_status status;
  char32_t codePoint;  // when ok
  // The bytes the sequence takes; for a malformed one, the bytes that one
  // replacement character stands for in lenient decoding.
  int length;
};

Utf8Sequence DecodeUtf8(const unsigned char* source, const unsigned char* sourceEnd) {
  const unsigned char lead = *source;
  const int length = SequenceLength(lead);
  const long available = sourceEnd - source;
  if (length == 1) return {utf_status::ok, lead, 1};
  if (length > 0 && length <= available && is_legal_utf8(source, length)) {
    char32_t codePoint = lead & (0x7F >> length);
    for (int i = 1; i < length; ++i) codePoint = (codePoint << 6) | (source[i] & 0x3F);
    return {utf_status::ok, codePoint, length};
  }
  // A lead byte that no well-formed sequence starts with stands alone; any
  // other takes the continuation bytes that follow it along.
  int malformed = 1;
  if (lead >= 0xC2 && lead <= 0xF4) {
    while (malformed < length && malformed < available && IsContinuation(source[malformed])) ++malformed;
  }
  const utf_status status =
      length > 0 && length > available ? utf_status::source_exhausted : utf_status::source_illegal;
  return {status, 0, malformed};
}

// Writes the code point's UTF-8 bytes, which it must have, and returns how
// many there are.
int EncodeUtf8(char32_t codePoint, unsigned char bytes[4]) {
  const int length = codePoint < 0x80 ? 1 : codePoint < 0x800 ? 2 : codePoint < 0x10000 ? 3 : 4;
  static constexpr unsigned char kLeadMarks[5] = {0x00, 0x00, 0xC0, 0xE0, 0xF0};
  for (int i = length - 1; i > 0; --i) {
    bytes[i] = static_cast<unsigned char>(0x80 | (codePoint & 0x3F));
    codePoint >>= 6;
  }
  bytes[0] = static_cast<unsigned char>(kLeadMarks[length] | codePoint);
  return length;
}

template <typename Text>
Text UpToFirstZero(Text text) {
  const auto zero = text.find(typename Text::value_type{0});
  if (zero != Text::npos) text.resize(zero);
  return text;
}

}  // namespace

bool is_legal_utf8(const unsigned char* source, int length) {
  if (length < 1 || length > 4) return false;
  for (int i = 1; i < length; ++i) {
    if (!IsContinuation(source[i])) return false;
  }
  const unsigned char lead = source[0];
  if (length > 1) {
    // The second byte's range closes the overlong forms, the encoded
    // surrogates and the values above U+10FFFF.
    const unsigned char second = source[1];
    switch (lead) {
      case 0xE0:
        if (second < 0xA0) return false;
        break;
      case 0xED:
        if (second > 0x9F) return false;
        break;
      case 0xF0:
        if (second < 0x90) return false;
        break;
      case 0xF4:
        if (second > 0x8F) return false;
        break;
      default: break;
    }
  }
  if (lead >= 0x80 && lead < 0xC2) return false;
  if (lead > 0xF4) return false;
  return SequenceLength(lead) == length;
}

utf_status convert_utf8_to_utf16(const unsigned char*& source, const unsigned char* sourceEnd, char16_t*& target,
                                 char16_t* targetEnd) {
  while (source < sourceEnd) {
    const Utf8Sequence sequence = DecodeUtf8(source, sourceEnd);
    if (sequence.status != utf_status::ok) return sequence.status;
    const char32_t codePoint = sequence.codePoint;
    if (codePoint <= 0xFFFF) {
      if (target >= targetEnd) return utf_status::target_exhausted;
      *target++ = static_cast<char16_t>(codePoint);
    } else {
      if (targetEnd - target < 2) return utf_status::target_exhausted;
      const char32_t offset = codePoint - 0x10000;
      *target++ = static_cast<char16_t>(kHighSurrogateFirst + (offset >> 10));
      *target++ = static_cast<char16_t>(kLowSurrogateFirst + (offset & 0x3FF));
    }
    source += sequence.length;
  }
  return utf_status::ok;
}

utf_status convert_utf16_to_utf8(const char16_t*& source, const char16_t* sourceEnd, unsigned char*& target,
                                 unsigned char* targetEnd) {
  while (source < sourceEnd) {
    char32_t codePoint = *source;
    int units = 1;
    if (IsHighSurrogate(codePoint)) {
      if (sourceEnd - source < 2) return utf_status::source_exhausted;
      const char32_t low = source[1];
      if (!IsLowSurrogate(low)) return utf_status::source_illegal;
      codePoint = 0x10000 + ((codePoint - kHighSurrogateFirst) << 10) + (low - kLowSurrogateFirst);
      units = 2;
    } else if (IsLowSurrogate(codePoint)) {
      return utf_status::source_illegal;
    }
    unsigned char bytes[4];
    const int length = EncodeUtf8(codePoint, bytes);
    if (targetEnd - target < length) return utf_status::target_exhausted;
    target = std::copy(bytes, bytes + length, target);
    source += units;
  }
  return utf_status::ok;
}

std::u16string wide_to_utf16(const std::wstring& text) {
  std::u16string units;
  units.reserve(text.size());
  for (wchar_t character : text) {
    const auto codePoint = static_cast<char32_t>(character);
    if (!IsEncodable(codePoint)) ConversionFailed();
    if (codePoint <= 0xFFFF) {
      units.push_back(static_cast<char16_t>(codePoint));
    } else {
      const char32_t offset = codePoint - 0x10000;
      units.push_back(static_cast<char16_t>(kHighSurrogateFirst + (offset >> 10)));
      units.push_back(static_cast<char16_t>(kLowSurrogateFirst + (offset & 0x3FF)));
    }
  }
  return units;
}

std::wstring utf16_to_wide(const std::u16string& text, utf_errors errors) {
  std::wstring wide;
  wide.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char32_t unit = text[i];
    if (!IsHighSurrogate(unit) && !IsLowSurrogate(unit)) {
      wide.push_back(static_cast<wchar_t>(unit));
    } else if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      const char32_t low = text[++i];
      wide.push_back(static_cast<wchar_t>(0x10000 + ((unit - kHighSurrogateFirst) << 10) + (low - kLowSurrogateFirst)));
    } else {
      // An unpaired surrogate; the unit after it starts afresh, so a high
      // surrogate before a whole pair costs only itself.
      if (errors == utf_errors::strict) ConversionFailed();
      wide.push_back(static_cast<wchar_t>(kReplacementCharacter));
    }
  }
  return wide;
}

std::wstring utf8_to_wide(std::string_view text, utf_errors errors) {
  std::wstring wide;
  wide.reserve(text.size());
  auto source = reinterpret_cast<const unsigned char*>(text.data());
  const auto sourceEnd = source + text.size();
  while (source < sourceEnd) {
    const Utf8Sequence sequence = DecodeUtf8(source, sourceEnd);
    if (sequence.status != utf_status::ok && errors == utf_errors::strict) ConversionFailed();
    wide.push_back(
        static_cast<wchar_t>(sequence.status == utf_status::ok ? sequence.codePoint : kReplacementCharacter));
    source += sequence.length;
  }
  return UpToFirstZero(std::move(wide));
}

std::string wide_to_utf8(std::wstring_view text, utf_errors errors) {
  std::string bytes;
  bytes.reserve(text.size());
  for (const wchar_t character : text) {
    auto codePoint = static_cast<char32_t>(character);
    if (!IsEncodable(codePoint)) {
      if (errors == utf_errors::strict) ConversionFailed();
      codePoint = kReplacementCharacter;
    }
    unsigned char encoded[4];
    bytes.append(encoded, encoded + EncodeUtf8(codePoint, encoded));
  }
  return UpToFirstZero(std::move(bytes));
}
