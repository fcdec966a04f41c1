#include "base/GuardedXml.h"

#include <optional>

#include "base/SmallFile.h"

namespace {

constexpr std::size_t npos = std::string_view::npos;

// TinyXML's white space: isspace in the "C" locale.
bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

// TinyXML takes a byte of 127 or above for a letter.
bool IsNameStart(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte >= 127 || (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') || c == '_';
}

bool IsNameChar(char c) { return IsNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.' || c == ':'; }

bool StartsWithNoCase(std::string_view text, std::size_t at, std::string_view lowerPrefix) {
  if (text.size() - at < lowerPrefix.size()) return false;
  for (std::size_t i = 0; i < lowerPrefix.size(); ++i) {
    char c = text[at + i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != lowerPrefix[i]) return false;
  }
  return true;
}

// We have TinyXML read UTF-8 (kXmlEncoding).  It then takes a lead byte and
// the bytes its table announces for it as one character, whatever those
// bytes are: a '<' or a quote among them would go unseen, and at the end of
// the text it reads past the terminator.  Where no lead byte is followed by
// an ASCII byte it would take, every ASCII byte stands on its own in any
// encoding, so the scan below sees the markup TinyXML sees.  (Between
// constructs it also skips byte order marks and the two noncharacters
// U+FFFE and U+FFFF, three bytes at or above 0x80 each, which hide no
// markup either.)  Well-formed UTF-8 always passes.
bool LeadBytesSwallowNoAscii(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const int length = TiXmlBase::utf8ByteTable[static_cast<unsigned char>(text[i])];
    const std::size_t follow = length > 1 ? static_cast<std::size_t>(length - 1) : 0;
    if (text.size() - 1 - i < follow) return false;
    for (std::size_t k = 1; k <= follow; ++k) {
      if (static_cast<unsigned char>(text[i + k]) < 0x80) return false;
    }
  }
  return true;
}

// Past the character at `at` in text or in a quoted value.  TinyXML reads
// "&#" up to the next ';' as one character reference, whatever lies between
// (or stops with an error).
std::size_t AfterCharacter(std::string_view text, std::size_t at) {
  if (text[at] == '&' && text.size() - at > 2 && text[at + 1] == '#') {
    const std::size_t end = text.find(';', at + 2);
    if (end != npos) return end + 1;
  }
  return at + 1;
}

// Past the quoted value whose opening quote is at `at`.
std::size_t AfterQuoted(std::string_view text, std::size_t at) {
  const char quote = text[at];
  std::size_t i = at + 1;
  while (i < text.size() && text[i] != quote) i = AfterCharacter(text, i);
  return i < text.size() ? i + 1 : i;
}

std::size_t AfterSpaces(std::string_view text, std::size_t at) {
  while (at < text.size() && IsSpace(text[at])) ++at;
  return at;
}

// Past the end of the first '>' at or after `at`: unknown markup, "<!..."
// and end tags.
std::size_t AfterFirstClose(std::string_view text, std::size_t at) {
  const std::size_t close = text.find('>', at);
  return close == npos ? text.size() : close + 1;
}

std::size_t AfterTerminator(std::string_view text, std::size_t at, std::string_view terminator) {
  const std::size_t end = text.find(terminator, at);
  return end == npos ? text.size() : end + terminator.size();
}

// Past "<?xml ...>", whose version, encoding and standalone values are quoted
// (and may hold '>'), while any other word is read to a blank or '>'.
std::size_t AfterDeclaration(std::string_view text, std::size_t at) {
  while (at < text.size()) {
    if (text[at] == '>') return at + 1;
    at = AfterSpaces(text, at);
    if (StartsWithNoCase(text, at, "version") || StartsWithNoCase(text, at, "encoding") ||
        StartsWithNoCase(text, at, "standalone")) {
      while (at < text.size() && IsNameChar(text[at])) ++at;
      at = AfterSpaces(text, at);
      if (at < text.size() && text[at] == '=') {
        at = AfterSpaces(text, at + 1);
        if (at < text.size() && (text[at] == '"' || text[at] == '\'')) {
          at = AfterQuoted(text, at);
        } else {
          while (at < text.size() && !IsSpace(text[at]) && text[at] != '/' && text[at] != '>') ++at;
        }
      }
    } else {
      while (at < text.size() && text[at] != '>' && !IsSpace(text[at])) ++at;
    }
  }
  return at;
}

// Past the start tag whose '<' is at `at`; `empty` tells "<a/>" from "<a>".
// Attribute values are quoted and may hold '>' and "/>".  `equals` counts
// the '=' outside them: at least as many as the attributes TinyXML keeps.
std::size_t AfterStartTag(std::string_view text, std::size_t at, bool& empty, std::size_t& equals) {
  std::size_t i = at + 1;
  equals = 0;
  while (i < text.size() && text[i] != '>') {
    if (text[i] == '"' || text[i] == '\'') {
      i = AfterQuoted(text, i);
      continue;
    }
    if (text[i] == '=') ++equals;
    ++i;
  }
  empty = i < text.size() && text[i - 1] == '/';
  return i < text.size() ? i + 1 : i;
}

}  // namespace

// The scan follows TinyXML's reader construct by construct, so that it never
// counts fewer open elements, attributes or nodes than TinyXML makes. Up to
// the point where TinyXML stops with an error the two agree; past it the
// scan goes on reading, which can only count more.  Each construct counts as
// a node (an end tag too: at the top TinyXML keeps one as unknown markup),
// and so does each run of text between them.
bool SafeForXmlParser(std::string_view text, const XmlLimits& limits) {
  if (!LeadBytesSwallowNoAscii(text)) return false;
  std::size_t depth = 0;
  std::size_t nodes = 0;
  bool inText = false;
  std::size_t i = 0;
  while (i < text.size()) {
    if (text[i] != '<') {
      if (!inText && ++nodes > limits.nodes) return false;
      inText = true;
      i = AfterCharacter(text, i);
      continue;
    }
    inText = false;
    if (++nodes > limits.nodes) return false;
    if (StartsWithNoCase(text, i, "<?xml")) {
      i = AfterDeclaration(text, i + 5);
    } else if (text.compare(i, 4, "<!--") == 0) {
      i = AfterTerminator(text, i + 4, "-->");
    } else if (text.compare(i, 9, "<![CDATA[") == 0) {
      i = AfterTerminator(text, i + 9, "]]>");
    } else if (text.compare(i, 2, "</") == 0) {
      if (depth > 0) --depth;
      i = AfterFirstClose(text, i + 2);
    } else if (i + 1 < text.size() && IsNameStart(text[i + 1])) {
      // TinyXML enters every element it begins, an empty or unfinished one
      // too; only an element with content stays open.
      if (++depth > limits.nesting) return false;
      bool empty = false;
      std::size_t attributes = 0;
      i = AfterStartTag(text, i, empty, attributes);
      if (attributes > limits.attributesPerElement) return false;
      nodes += attributes;
      if (nodes > limits.nodes) return false;
      if (empty) --depth;
    } else {
      // "<!DOCTYPE ...>" and anything TinyXML does not know.
      i = AfterFirstClose(text, i + 1);
    }
  }
  return true;
}

bool ParseGuardedXml(const std::string& text, TiXmlDocument& document, const XmlLimits& limits) {
  document.Clear();
  document.ClearError();
  if (!SafeForXmlParser(text, limits)) {
    document.SetError(TiXmlBase::TIXML_ERROR, nullptr, nullptr, kXmlEncoding);
    return false;
  }
  document.Parse(text.c_str(), nullptr, kXmlEncoding);
  return !document.Error();
}

bool LoadGuardedXml(const std::string& path, std::size_t maxBytes, TiXmlDocument& document, const XmlLimits& limits) {
  const std::optional<std::string> text = ReadSmallFile(path, maxBytes);
  if (!text) return false;
  return ParseGuardedXml(*text, document, limits);
}
