#pragma once
// Every XML file the program reads goes through here before TinyXML sees it.
//
// TinyXML parses, visits, prints and frees nested elements recursively, one
// stack frame (or several) per level, so a damaged or hostile file nested a
// few ten thousand levels deep runs the stack out and aborts the program.
// It also compares each new attribute with every earlier one of its element,
// so one element with many attributes takes time that grows with their
// square (30,000 of them, 200 KB, take seconds), and it keeps a few hundred
// bytes for every node, so a megabyte of empty elements takes some 60 MB.
// Our files nest a handful of levels and hold a few thousand nodes; a cheap
// scan of the text bounds the nesting, the attributes of each element and
// the nodes TinyXML could make, and a text beyond them is refused unparsed.
// The size cap is the caller's: it depends on the kind of file.

#include <tinyxml.h>

#include <cstddef>
#include <string>
#include <string_view>

// Far beyond any file of ours and far below what the stack takes, even with
// the sanitizers' larger frames.
constexpr std::size_t kMaxXmlNesting = 200;

// Our elements carry at most 7 attributes, an editor's SVG some 20 on its
// busiest element.  With every node of a file in elements of this many, the
// checks among their attributes take no longer than reading the file; at
// 256 they would take a few times longer (bench/logo_bench).
constexpr std::size_t kMaxXmlAttributesPerElement = 64;

// Elements, attributes, texts, comments and other markup together, as the
// scan counts them: the glyphs hold about 750, a saved 16x16 game about
// 1,300 and the resource file about 3,600 (whose reader allows it more).
// TinyXML reads this many in a few milliseconds into a few megabytes
// (bench/logo_bench).
constexpr std::size_t kMaxXmlNodes = 20'000;

struct XmlLimits {
  std::size_t nesting = kMaxXmlNesting;
  std::size_t attributesPerElement = kMaxXmlAttributesPerElement;
  std::size_t nodes = kMaxXmlNodes;
};

// Our files are UTF-8, declared or not.  Left to guess, TinyXML reads a text
// without a UTF-8 declaration or byte order mark byte by byte and turns a
// character reference such as "&#xE5;" into the single byte 0xE5, which is
// not UTF-8; named, it writes the reference's UTF-8 bytes.
constexpr TiXmlEncoding kXmlEncoding = TIXML_ENCODING_UTF8;

// True when TinyXML can read the text without being inside more than
// limits.nesting elements at once, without giving an element more than
// limits.attributesPerElement attributes and without making more than
// limits.nodes nodes (attributes count as nodes).  The scan follows
// TinyXML's reader closely enough never to count too few: start tags with
// their quoted attribute values (which may hold '>' or "/>"), empty-element
// tags, end tags, comments, CDATA sections, declarations, other markup, the
// text between them, and character references, which TinyXML reads up to
// the next ';' whatever lies between.  Every attribute TinyXML keeps needs
// an '=' of its own outside the quoted values.  A text in which a UTF-8 lead
// byte is followed by an ASCII byte it would swallow is refused as well.
bool SafeForXmlParser(std::string_view text, const XmlLimits& limits = {});

// Replaces the document's content by the text parsed as UTF-8.  A text that
// SafeForXmlParser refuses is not parsed: the document is left empty with an
// error set.  True when the text parsed without error.
bool ParseGuardedXml(const std::string& text, TiXmlDocument& document, const XmlLimits& limits = {});

// Reads the file (the path's bytes, see base/PathBytes.h) and parses it as
// ParseGuardedXml does.  False, with the document untouched, when the file
// cannot be opened or read, is not a regular file or is longer than maxBytes.
bool LoadGuardedXml(const std::string& path, std::size_t maxBytes, TiXmlDocument& document,
                    const XmlLimits& limits = {});
