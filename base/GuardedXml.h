#pragma once
// Every XML file the program reads goes through here before TinyXML sees it.
//
// TinyXML parses, visits, prints and frees nested elements recursively, one
// stack frame (or several) per level, so a damaged or hostile file nested a
// few ten thousand levels deep runs the stack out and aborts the program.
// Our files nest a handful of levels; a cheap scan of the text bounds the
// nesting TinyXML could reach, and a deeper text is refused unparsed.  The
// size cap is the caller's: it depends on the kind of file.

#include <tinyxml.h>

#include <cstddef>
#include <string>
#include <string_view>

// Far beyond any file of ours and far below what the stack takes, even with
// the sanitizers' larger frames.
constexpr std::size_t kMaxXmlNesting = 200;

// Our files are UTF-8, declared or not.  Left to guess, TinyXML reads a text
// without a UTF-8 declaration or byte order mark byte by byte and turns a
// character reference such as "&#xE5;" into the single byte 0xE5, which is
// not UTF-8; named, it writes the reference's UTF-8 bytes.
constexpr TiXmlEncoding kXmlEncoding = TIXML_ENCODING_UTF8;

// True when TinyXML can read the text without being inside more than
// maxNesting elements at once.  The scan follows TinyXML's reader closely enough never to
// count too few: start tags with their quoted attribute values (which may
// hold '>' or "/>"), empty-element tags, end tags, comments, CDATA sections,
// declarations, other markup, and character references, which TinyXML reads
// up to the next ';' whatever lies between.  A text in which a UTF-8 lead
// byte is followed by an ASCII byte it would swallow is refused as well.
bool SafeForXmlParser(std::string_view text, std::size_t maxNesting = kMaxXmlNesting);

// Replaces the document's content by the text parsed as UTF-8.  A text that
// SafeForXmlParser refuses is not parsed: the document is left empty with an
// error set.  True when the text parsed without error.
bool ParseGuardedXml(const std::string& text, TiXmlDocument& document);

// Reads the file (the path's bytes, see base/PathBytes.h) and parses it as
// ParseGuardedXml does.  False, with the document untouched, when the file
// cannot be opened or read, is not a regular file or is longer than maxBytes.
bool LoadGuardedXml(const std::string& path, std::size_t maxBytes, TiXmlDocument& document);
