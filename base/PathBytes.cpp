#include "base/PathBytes.h"

namespace {

constexpr char32_t kEscapeBase = 0xDC00;
constexpr char32_t kFirstEscape = kEscapeBase + 0x80;
constexpr char32_t kLastEscape = kEscapeBase + 0xFF;
constexpr char32_t kReplacementCharacter = 0xFFFD;

bool InRange(unsigned char byte, unsigned char low, unsigned char high) { return byte >= low && byte <= high; }

// The length of the well-formed UTF-8 sequence at the front of the bytes, or
// 0 when there is none.  The ranges are those of the Unicode standard's table
// of well-formed byte sequences: no overlong form, no encoded surrogate,
// nothing beyond U+10FFFF.  Only these sequences decode, so that encoding
// their code points gives the same bytes back.
int WellFormedLength(std::string_view bytes) {
  const auto at = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  const unsigned char lead = at(0);
  if (lead < 0x80) return 1;
  // The range the second byte must lie in, and the sequence's length.
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  int length = 0;
  if (InRange(lead, 0xC2, 0xDF)) {
    length = 2;
  } else if (InRange(lead, 0xE0, 0xEF)) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (InRange(lead, 0xF0, 0xF4)) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (bytes.size() < static_cast<std::size_t>(length) || !InRange(at(1), low, high)) return 0;
  for (int i = 2; i < length; ++i) {
    if (!InRange(at(static_cast<std::size_t>(i)), 0x80, 0xBF)) return 0;
  }
  return length;
}

void AppendUtf8(char32_t codePoint, std::string& bytes) {
  if (codePoint < 0x80) {
    bytes.push_back(static_cast<char>(codePoint));
    return;
  }
  const int length = codePoint < 0x800 ? 2 : codePoint < 0x10000 ? 3 : 4;
  static constexpr unsigned char kLeadMarks[5] = {0x00, 0x00, 0xC0, 0xE0, 0xF0};
  char encoded[4];
  for (int i = length - 1; i > 0; --i) {
    encoded[i] = static_cast<char>(0x80 | (codePoint & 0x3F));
    codePoint >>= 6;
  }
  encoded[0] = static_cast<char>(kLeadMarks[length] | codePoint);
  bytes.append(encoded, static_cast<std::size_t>(length));
}

}  // namespace

std::wstring PathFromBytes(std::string_view bytes) {
  std::wstring path;
  path.reserve(bytes.size());
  while (!bytes.empty()) {
    const int length = WellFormedLength(bytes);
    if (length == 0) {
      path.push_back(static_cast<wchar_t>(kEscapeBase + static_cast<unsigned char>(bytes.front())));
      bytes.remove_prefix(1);
      continue;
    }
    const unsigned char lead = static_cast<unsigned char>(bytes.front());
    char32_t codePoint = length == 1 ? lead : lead & (0x7F >> length);
    for (int i = 1; i < length; ++i) {
      codePoint = (codePoint << 6) | (static_cast<unsigned char>(bytes[static_cast<std::size_t>(i)]) & 0x3F);
    }
    path.push_back(static_cast<wchar_t>(codePoint));
    bytes.remove_prefix(static_cast<std::size_t>(length));
  }
  return path;
}

std::string PathToBytes(std::wstring_view path) {
  std::string bytes;
  bytes.reserve(path.size());
  for (const wchar_t element : path) {
    // wchar_t is signed here: a negative element is no code point either.
    const auto codePoint = static_cast<char32_t>(element);
    if (codePoint >= kFirstEscape && codePoint <= kLastEscape) {
      bytes.push_back(static_cast<char>(codePoint - kEscapeBase));
    } else if (codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
      AppendUtf8(kReplacementCharacter, bytes);
    } else {
      AppendUtf8(codePoint, bytes);
    }
  }
  return bytes;
}
